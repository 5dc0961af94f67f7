#include "ui/list_keys.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMenu>

namespace vorda {
namespace {

class ListKeys : public QObject {
public:
    ListKeys(QAbstractItemView* list, std::function<void()> activate, QMenu* menu)
        : QObject(list), list_(list), activate_(std::move(activate)), menu_(menu)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
        if (enter && list_->currentIndex().isValid()) {
            activate_();
            return true;
        }
        const bool menuKey =
            key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
        if (menuKey && menu_) {
            const QModelIndex current = list_->currentIndex();
            const QRect item = current.isValid() ? list_->visualRect(current) : QRect();
            const QPoint at = item.isValid() && list_->viewport()->rect().intersects(item)
                                  ? item.bottomLeft() + QPoint(item.height() / 2, 0)
                                  : list_->viewport()->rect().center();
            menu_->popup(list_->viewport()->mapToGlobal(at));
            return true;
        }
        return false;
    }

private:
    QAbstractItemView* list_;
    std::function<void()> activate_;
    QMenu* menu_;
};

}  // namespace

void addListKeys(QAbstractItemView* list, std::function<void()> activate, QMenu* menu)
{
    list->installEventFilter(new ListKeys(list, std::move(activate), menu));
}

}  // namespace vorda
