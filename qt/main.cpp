#include "qt/zerkan.h"

int main(int argc, char** argv) {
    return zerkan::RunZerkan(argc, argv);
}
