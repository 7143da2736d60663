#include "ui/resources/MainMenuTemplate.h"

#include <array>

namespace kilosynth {

namespace {

using M = MainMenuTemplate;
using Item = MenuTemplate::Item;

constexpr std::array fileItems{
    Item{"&New", M::New},        Item{"&Load", M::Load},        Item{"&Save", M::Save},
    Item{"Save &As", M::SaveAs}, Item{"Save &WAV", M::SaveWav}, Item{"", Item::Separator},
    Item{"&Exit", M::Exit},
};
constexpr std::array helpItems{Item{"&About", M::About}};

constexpr std::array menus{MenuTemplate{"&File", fileItems}, MenuTemplate{"&Help", helpItems}};

} // namespace

std::span<const MenuTemplate> MainMenuTemplate::get() {
    return menus;
}

} // namespace kilosynth
