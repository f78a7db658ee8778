// The keys dialog's grid on its own.
#include "app/dialogs/keys_form.h"

#include <QHeaderView>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

TEST(KeysFormTest, RowsSplitAtTheFirstEqualsSign) {
  TKeysForm form(nullptr);
  form.AddString("Ende eines Falles=[;;, fall ende]");
  form.AddString("(ein neuer Fall beginnt nun ohne Schlüssel)=");
  form.AddString("a=b=c");
  QTableWidget& grid = *form.ValueListEditor;
  ASSERT_EQ(3, grid.rowCount());
  EXPECT_EQ("[;;, fall ende]", grid.item(0, 1)->text());
  EXPECT_EQ("", grid.item(1, 1)->text());
  EXPECT_EQ("b=c", grid.item(2, 1)->text());
  EXPECT_FALSE(grid.item(0, 1)->flags() & Qt::ItemIsEditable);
  EXPECT_EQ("Element", grid.horizontalHeaderItem(0)->text());
  EXPECT_EQ("Schlüssel", grid.horizontalHeaderItem(1)->text());
  EXPECT_EQ(290, grid.columnWidth(0));
  EXPECT_EQ(335, grid.columnWidth(1));
  EXPECT_EQ("Schlüssel...", form.windowTitle());
}

}  // namespace
