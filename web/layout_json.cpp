// Writes what the page builds its window from, as JSON on standard output: both dialogs from
// the one table of controls, the pickers' entries, and the code page's characters beyond
// ASCII (so that the page can tell which typed characters the program's texts can hold). Run
// at build time; the page carries the result.

#include <iostream>
#include <span>
#include <string>
#include <string_view>

#include "core/controls.h"
#include "core/elements.h"
#include "core/surface.h"
#include "core/text.h"

namespace zerkan {
namespace {

void AppendJsonString(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (const char c : utf8) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendControls(std::string& out, std::span<const layout::Control> controls) {
    out += '[';
    for (const layout::Control& c : controls) {
        if (out.back() != '[')
            out += ',';
        out += "{\"id\":" + std::to_string(c.id) + ",\"name\":";
        AppendJsonString(out, c.name);
        out += ",\"kind\":" + std::to_string(static_cast<int>(c.kind)) + ",\"text\":";
        AppendJsonString(out, c.text);
        out += ",\"x\":" + std::to_string(c.x) + ",\"y\":" + std::to_string(c.y) +
               ",\"w\":" + std::to_string(c.w) + ",\"h\":" + std::to_string(c.h) +
               ",\"accessible\":";
        AppendJsonString(out, c.accessible);
        const layout::Control* caption = layout::CaptionOf(controls, c);
        out += ",\"caption\":";
        AppendJsonString(out, caption != nullptr ? caption->name : std::string_view());
        out += '}';
    }
    out += ']';
}

void AppendDialog(std::string& out, const layout::Dialog& dialog) {
    out += "{\"title\":";
    AppendJsonString(out, dialog.title);
    out += ",\"w\":" + std::to_string(dialog.client.w) +
           ",\"h\":" + std::to_string(dialog.client.h) + ",\"controls\":";
    AppendControls(out, dialog.controls);
    out += '}';
}

std::string LayoutJson() {
    std::string out = "{\"main\":";
    AppendDialog(out, layout::kMainDialog);
    out += ",\"about\":";
    AppendDialog(out, layout::kAboutDialog);
    out += ",\"entries\":{";
    for (const ControlId picker : kPickers) {
        if (out.back() != '{')
            out += ',';
        out += '"' + std::to_string(static_cast<int>(picker)) + "\":[";
        for (int i = 0; i < kElementCount; ++i) {
            if (i > 0)
                out += ',';
            AppendJsonString(out, ToUtf8(PickerEntryText(picker, i)));
        }
        out += ']';
    }
    out += "},\"codePage\":";
    Text upper;
    for (unsigned b = 0x80; b <= 0xFF; ++b)
        upper.push_back(static_cast<char>(b));
    AppendJsonString(out, ToUtf8(upper));
    out += '}';
    return out;
}

}  // namespace
}  // namespace zerkan

int main() {
    std::cout << zerkan::LayoutJson() << '\n';
    return 0;
}
