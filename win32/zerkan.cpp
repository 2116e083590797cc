#include "win32/zerkan.h"

#include "win32/zerkandlg.h"

namespace zerkan::win32 {
namespace {

CompositionState programState;

}  // namespace

CompositionState& ProgramState() {
    return programState;
}

int App::InitInstance() {
    MainDialog dialog(ProgramState());
    dialog.DoModal();
    return 0;
}

}  // namespace zerkan::win32
