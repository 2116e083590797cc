#include "tests/support/memory_surface.h"
#include "core/texts.h"

#include <algorithm>

#include "core/elements.h"
#include "core/handlers.h"

namespace zerkan {

namespace {

constexpr int kFirstId = 1000;

bool IsScrollingBox(ControlId id) {
    return id == ControlId::ContentsBox || id == ControlId::FormulaBox;
}

}  // namespace

MemorySurface::MemorySurface(CompositionState& state) : state_(state) {}

MemorySurface::Control& MemorySurface::At(ControlId id) {
    const int slot = static_cast<int>(id) - kFirstId;
    if (slot < 0 || slot >= static_cast<int>(controls_.size())) {
        unknown_ = {};
        return unknown_;
    }
    return controls_[static_cast<std::size_t>(slot)];
}

const MemorySurface::Control& MemorySurface::At(ControlId id) const {
    static const Control kNone{};
    const int slot = static_cast<int>(id) - kFirstId;
    if (slot < 0 || slot >= static_cast<int>(controls_.size()))
        return kNone;
    return controls_[static_cast<std::size_t>(slot)];
}

void MemorySurface::Initialise() {
    controls_ = {};
    countLimit_ = 0;
    At(ControlId::StepPrompt).text = FormatWithNumber(texts::kChoosePrompt, 1);
    At(ControlId::CountLabel).text = FormatWithNumber(texts::kCountLabel, 1);
    At(ControlId::AtomicMassLabel).text = texts::kAtomicMassLabel;
    At(ControlId::AtomicMassLabel).visible = false;
    SetText(ControlId::CountField, "");
}

void MemorySurface::SetText(ControlId control, std::string_view text) {
    Control& c = At(control);
    c.text.assign(text);
    if (IsScrollingBox(control))
        c.caret = 0;
    if (control == ControlId::CountField)
        OnCountChanged(state_, *this);
}

Text MemorySurface::GetText(ControlId control) const {
    return At(control).text;
}

void MemorySurface::SelectEntry(ControlId picker, int index) {
    Control& c = At(picker);
    // Like a real list, an index that names no entry removes the selection.
    if (index < 0 || index >= kElementCount) {
        c.selection = -1;
        c.text.clear();
        return;
    }
    c.selection = index;
    c.text = PickerEntryText(picker, index);
}

int MemorySurface::GetSelection(ControlId picker) const {
    return At(picker).selection;
}

void MemorySurface::MatchTypedText(ControlId picker) {
    if (IsPicker(picker))
        At(picker).selection = FirstMatchingEntry(picker, At(picker).text);
}

void MemorySurface::SetCountValue(int value) {
    SetText(ControlId::CountField, FormatInt(value));
}

int MemorySurface::ReadCountValue() const {
    return ReadCountText(At(ControlId::CountField).text);
}

void MemorySurface::LimitCountLength(int maxLength) {
    countLimit_ = std::max(maxLength, 0);
}

void MemorySurface::SetVisible(ControlId control, bool visible) {
    At(control).visible = visible;
}

void MemorySurface::PushBoundValues() {
    // Written straight into the controls: no change handler runs during a push.
    At(ControlId::MolecularMassBox).text = FormatMass(boundMolecularMass);
    At(ControlId::AtomicMassValue).text = FormatMass(boundAtomicMass);
    At(ControlId::CountField).text = FormatInt(boundCount);
}

void MemorySurface::PlaceCaret(ControlId box, int position) {
    if (!IsScrollingBox(box))
        return;
    Control& c = At(box);
    c.caret = std::clamp(position, 0, static_cast<int>(c.text.size()));
}

void MemorySurface::ShowMessage(std::string_view text) {
    messages_.emplace_back(text);
}

void MemorySurface::Edit(ControlId control, std::string_view text) {
    Control& c = At(control);
    c.text.assign(text);
    c.selection = -1;
}

bool MemorySurface::IsVisible(ControlId control) const {
    return At(control).visible;
}

int MemorySurface::Caret(ControlId box) const {
    return At(box).caret;
}

}  // namespace zerkan
