#pragma once
// A dialog template as the resource holds it (DLGTEMPLATEEX), read back so that a test
// can check what a window is built from.

#include <windows.h>

#include <string>
#include <vector>

namespace dralmoft::test {

struct TemplateItem {
    int id;
    std::wstring className;  // "Button", "Edit", "Static" for the predefined ordinals
    std::wstring text;
    RECT place;  // x, y, width, height in dialog units
    DWORD style;
    DWORD exStyle;
};

struct DialogTemplate {
    DWORD style;
    DWORD exStyle;
    RECT place;
    std::wstring title;
    int pointSize;
    std::wstring font;
    std::vector<TemplateItem> items;
};

// Template `id` of the running module. Fails the test when it is not an extended template.
DialogTemplate LoadDialogTemplate(int id);

}  // namespace dralmoft::test
