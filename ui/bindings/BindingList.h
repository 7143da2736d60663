#pragma once

#include "ui/bindings/ControlBinding.h"

#include <forward_list>

namespace kilosynth {

// Every binding of every dialog, so that one call shows a whole new Patch
// (after a load or "New"). Points at the bindings; the dialogs own them.
class BindingList {
public:
    void pushFront(ControlBinding& binding);

    // Refreshes each binding, the one pushed last first.
    void refreshAll();

private:
    std::forward_list<ControlBinding*> bindings;
};

} // namespace kilosynth
