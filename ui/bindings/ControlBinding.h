#pragma once

namespace kilosynth {

// Ties one control (or a scroll bar with its value field) to one Patch field.
// A binding writes straight into the field when its control is operated and
// shows the field again; `refresh` shows the field as it stands now, for
// instance after a Patch file was loaded.
//
// Bindings are owned, by their exact kind, by the dialog that created them;
// the BindingList only points at them, so no virtual destructor is needed.
class ControlBinding {
public:
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    virtual void refresh() = 0;

protected:
    ControlBinding() = default;
    ~ControlBinding() = default;
};

} // namespace kilosynth
