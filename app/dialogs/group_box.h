// Group boxes of the dialogs, laid out in fixed coordinates.
#pragma once

#include <QString>

class QGroupBox;
class QRect;
class QWidget;

namespace kova {

// A group box with its caption, at geometry within parent.
QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry);

// Moves the group's children together, as little as needed, so that none
// starts above or left of the group's contents area. The fixed coordinates
// were laid out for a caption and frame narrower than some styles draw, and
// a child placed over the frame line hides part of it.
// REQUIRES: the group box has its font and all its children.
void FitChildrenIntoGroup(QGroupBox& group);

}  // namespace kova
