#pragma once

// What the pad shows for each controller kind 0..8: menu title, help text, slider format, knobs, frame
// and handle size, setting labels. Constant; any thread may read it.
namespace korvel::gui {

struct ControllerKindRow {
    const char* menuTitle;
    // The pad's tooltip and the text posted to its group box header.
    const char* helpText;
    // Format of the amount slider's value (through the amount Scaling of the pad).
    const char* valueFormat;
    // Settings the pad edits: 1 x only, 2 x and y, 3 also the rate slider.
    int knobCount;
    double frameWidth;
    // The handle's diameter in small layout units s(k); 0 draws no handle.
    double handleSizeS;
    // Labels of x, y and the third setting; the third is the rate slider's format.
    const char* knobLabels[3];
};

constexpr int NOF_CONTROLLER_KINDS = 9;

// The row of `kind`; kinds outside 0..8 give the row of kind 0.
const ControllerKindRow& controllerKindRow(int kind);

} // namespace korvel::gui
