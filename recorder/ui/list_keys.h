#pragma once
// The keyboard for a list that acts on a double click and has a context menu: Enter on
// the current item does what the double click does, and Shift+F10 or the menu key opens
// the context menu at that item.

#include <functional>

class QAbstractItemView;
class QMenu;

namespace vorda {

void addListKeys(QAbstractItemView* list, std::function<void()> activate, QMenu* menu);

}  // namespace vorda
