#include "tests/support/gesture.h"

#include "core/handlers.h"
#include "tests/support/memory_surface.h"

namespace zerkan::test {

void Apply(MemorySurface& surface, const Gesture& gesture) {
    CompositionState& state = surface.Record();
    switch (gesture.kind) {
        case Gesture::Kind::Choose:
            surface.SelectEntry(gesture.control, gesture.index);
            OnPickerSelected(state, surface, gesture.control);
            break;
        case Gesture::Kind::Type:
            // Cut to the field's length, as the real field does.
            surface.Edit(gesture.control,
                         std::string_view(gesture.text).substr(0, kPickerTextLimit));
            OnPickerEdited(state, surface, gesture.control);
            break;
        case Gesture::Kind::TypeCount: {
            // The field takes digits only, up to its limit once one is set; the change
            // handler runs even when nothing was taken.
            const auto limit = static_cast<std::size_t>(surface.CountLengthLimit());
            Text digits;
            for (char c : gesture.text) {
                if (c < '0' || c > '9')
                    continue;
                if (limit > 0 && digits.size() >= limit)
                    break;
                digits.push_back(c);
            }
            surface.Edit(ControlId::CountField, digits);
            OnCountChanged(state, surface);
            break;
        }
        case Gesture::Kind::Click:
            switch (gesture.control) {
                case ControlId::SearchButton:
                    OnSearch(state, surface);
                    break;
                case ControlId::AddButton:
                    OnAdd(state, surface);
                    break;
                case ControlId::UndoButton:
                    OnUndo(state, surface);
                    break;
                case ControlId::ResetButton:
                    OnReset(state, surface);
                    break;
                default:
                    break;
            }
            break;
    }
}

}  // namespace zerkan::test
