// Writes the floor the page's start-up is measured against: a bare page, built in the same
// tree, with the three lists of 112 entries as plain <select> elements and nothing else. It is
// ready for input once its script has put the focus in the first list.

#include <iostream>
#include <string>

#include "core/elements.h"
#include "core/surface.h"
#include "core/text.h"

int main() {
    using namespace zerkan;
    std::cout << R"(<!doctype html>
<html lang="tr">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'">
<title>Zerkan Kütlesi: taban</title>
</head>
<body>
)";
    for (const ControlId picker : kPickers) {
        std::cout << "<select aria-label=\"" << ControlName(picker) << "\">\n";
        for (int i = 0; i < kElementCount; ++i)
            std::cout << "<option>" << ToUtf8(PickerEntryText(picker, i)) << "</option>\n";
        std::cout << "</select>\n";
    }
    std::cout << R"(<script>
document.querySelector('select').focus();
document.documentElement.dataset.ready = 'true';
performance.mark('zerkan-ready');
</script>
</body>
</html>
)";
    return 0;
}
