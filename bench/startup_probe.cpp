// The program's own start-up, window and all, ended by the window at the first turn of its
// event loop: what a user's double-click costs up to the moment the window can be used.

#include "qt/zerkan.h"
#include "qt/zerkandlg.h"

int main(int argc, char** argv) {
    return zerkan::RunZerkan(argc, argv, [](zerkan::MainDialog& dialog) { dialog.reject(); });
}
