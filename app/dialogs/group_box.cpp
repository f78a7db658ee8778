#include "app/dialogs/group_box.h"

#include <QGroupBox>
#include <algorithm>

namespace kova {

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QLatin1String(name));
  group->setGeometry(geometry);
  return group;
}

void FitChildrenIntoGroup(QGroupBox& group) {
  const QList<QWidget*> children = group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  QRect laidOut;
  for (const QWidget* child : children) laidOut |= child->geometry();
  const QRect contents = group.contentsRect();
  const QPoint shift(std::max(0, contents.left() - laidOut.left()),
                     std::max(0, contents.top() - laidOut.top()));
  for (QWidget* child : children) child->move(child->pos() + shift);
}

}  // namespace kova
