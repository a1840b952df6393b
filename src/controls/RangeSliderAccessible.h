#pragma once
// What assistive tools see of a CRangeSlider: a group named by the slider's
// accessible name holding two sliders, one per thumb (start first), each
// with its value, its limits and its place on the screen. Setting a thumb's
// value moves it like a drag, so the range rules and rangeChanged apply.
#include "RangeModel.h"

class CRangeSlider;
class QAccessibleEvent;

namespace controls {

// Makes Qt build the interface above for every CRangeSlider; Qt keeps
// one factory however often it is installed.
void InstallRangeSliderAccessible();

// Tell running assistive tools that a thumb's value changed or that it
// took the keyboard focus; nothing happens while none is running.
void TellThumbMoved(CRangeSlider* slider, RangeModel::Part thumb);
void TellThumbFocused(CRangeSlider* slider, RangeModel::Part thumb);

// Sends those events to listener instead, also while no assistive tool
// runs (Qt offers tests no way to start one); nullptr sends them to Qt again.
using ThumbListener = void (*)(QAccessibleEvent* event);
void ListenToThumbs(ThumbListener listener);

}  // namespace controls
