#include "observation.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <nlohmann/json.hpp>

#include "core/text.h"

namespace zerkan::replay {
namespace {

// nlohmann escapes the strings; the line itself is assembled here because nlohmann prints
// doubles in their shortest form and cannot be asked for 17 digits.
class LineWriter {
  public:
    void Key(std::string_view key) {
        Separate();
        line_ += Quoted(key);
        line_ += ':';
        fresh_ = true;  // the value that follows needs no comma
    }
    // A Windows-1254 text of the core, written as a UTF-8 JSON string.
    void Shown(const Text& text) {
        Separate();
        line_ += Quoted(ToUtf8(text));
    }
    void Int(long long value) {
        Separate();
        line_ += std::to_string(value);
    }
    void Bool(bool value) {
        Separate();
        line_ += value ? "true" : "false";
    }
    void Double(double value) {
        Separate();
        line_ += FormatExactDouble(value);
    }
    void Open(char bracket) {
        Separate();
        line_ += bracket;
        fresh_ = true;
    }
    void Close(char bracket) {
        line_ += bracket;
        fresh_ = false;
    }
    std::string Take() { return std::move(line_); }

  private:
    static std::string Quoted(std::string_view utf8) {
        return nlohmann::json(utf8).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    void Separate() {
        if (!fresh_)
            line_ += ',';
        fresh_ = false;
    }
    std::string line_;
    bool fresh_ = true;
};

void WritePicker(LineWriter& out, std::string_view name, const test::PickerView& picker) {
    out.Key(name);
    out.Open('{');
    out.Key("text");
    out.Shown(picker.text);
    out.Key("sel");
    out.Int(picker.selection);
    out.Close('}');
}

void WriteBox(LineWriter& out, std::string_view name, const test::BoxView& box) {
    out.Key(name);
    out.Open('{');
    out.Key("text");
    out.Shown(box.text);
    out.Key("caret");
    out.Int(box.caret);
    out.Close('}');
}

void WriteText(LineWriter& out, std::string_view name, const Text& text) {
    out.Key(name);
    out.Shown(text);
}

}  // namespace

std::string FormatExactDouble(double value) {
    if (!std::isfinite(value))
        return "null";
    return FormatDouble(value, 17);
}

std::string FormatObservation(const WindowView& view, const std::vector<Text>& messages,
                              const CompositionState& state) {
    LineWriter out;
    out.Open('{');

    out.Key("controls");
    out.Open('{');
    WritePicker(out, "NumberPicker", view.numberPicker);
    WritePicker(out, "NamePicker", view.namePicker);
    WritePicker(out, "SymbolPicker", view.symbolPicker);
    WriteBox(out, "ContentsBox", view.contentsBox);
    WriteBox(out, "FormulaBox", view.formulaBox);
    out.Key("AtomicMassLabel");
    out.Bool(view.atomicMassLabelVisible);
    WriteText(out, "CountField", view.countField);
    WriteText(out, "StepPrompt", view.stepPrompt);
    WriteText(out, "CountLabel", view.countLabel);
    WriteText(out, "ProtonLine", view.protonLine);
    WriteText(out, "AtomicMassValue", view.atomicMassValue);
    WriteText(out, "PeriodGroupLine", view.periodGroupLine);
    WriteText(out, "KindLine", view.kindLine);
    WriteText(out, "MolecularMassBox", view.molecularMassBox);
    out.Close('}');

    out.Key("messages");
    out.Open('[');
    for (const Text& message : messages)
        out.Shown(message);
    out.Close(']');

    out.Key("state");
    out.Open('{');
    out.Key("selectedIndex");
    out.Int(state.selectedIndex);
    out.Key("step");
    out.Int(state.step);
    out.Key("count");
    out.Int(state.count);
    out.Key("atomicMass");
    out.Double(state.atomicMass);
    out.Key("molecularMass");
    out.Double(state.molecularMass);
    out.Key("entries");
    out.Open('[');
    // Entries 0..step-2 are the molecule; the places beyond are stale and never shown.
    const int held = std::clamp(state.step - 1, 0, kMaxEntries);
    for (int i = 0; i < held; ++i) {
        out.Open('[');
        out.Int(state.entryElement[static_cast<std::size_t>(i)]);
        out.Int(state.entryCount[static_cast<std::size_t>(i)]);
        out.Close(']');
    }
    out.Close(']');
    WriteText(out, "formulaText", state.formulaText);
    WriteText(out, "contentsText", state.contentsText);
    WriteText(out, "kindText", state.kindText);
    out.Key("period");
    out.Int(state.period);
    WriteText(out, "promptText", state.promptText);
    WriteText(out, "countLabelText", state.countLabelText);
    WriteText(out, "nameText", state.nameText);
    WriteText(out, "symbolText", state.symbolText);
    WriteText(out, "protonText", state.protonText);
    out.Close('}');

    out.Close('}');
    return out.Take();
}

}  // namespace zerkan::replay
