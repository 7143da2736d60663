#include "ui/bindings/BindingList.h"

namespace kilosynth {

void BindingList::pushFront(ControlBinding& binding) {
    bindings.push_front(&binding);
}

void BindingList::refreshAll() {
    for (ControlBinding* binding : bindings) {
        binding->refresh();
    }
}

} // namespace kilosynth
