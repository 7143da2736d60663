#pragma once

namespace kilosynth {

// A dialog control as the bindings see it. A binding recognises the control
// that a command or scroll message comes from by its address, the way a
// dialog procedure compares window handles.
class Control {
public:
    virtual ~Control() = default;

protected:
    Control() = default;
    Control(const Control&) = default;
    Control& operator=(const Control&) = default;
};

} // namespace kilosynth
