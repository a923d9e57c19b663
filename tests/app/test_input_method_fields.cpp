// SPDX-License-Identifier: MIT
// Which fields take text from the input method (fcitx, ibus): the names,
// honorifics, addresses and the memo do; the postal codes and the card number
// do not. Checked as the input method asks: through an input method query.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QInputMethodQueryEvent>
#include <QLineEdit>

#include "tests/app/main_window_fixture.h"
#include "tests/support/helpers.h"

namespace {

struct FieldCase {
    const char* name;
    bool takesInputMethod;
    Qt::InputMethodHints hints;
};

struct InputMethodView {
    bool attribute;
    bool enabled;
    Qt::InputMethodHints hints;
};

InputMethodView asTheInputMethodSees(QWidget* w)
{
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
    QApplication::sendEvent(w, &query);
    return {w->testAttribute(Qt::WA_InputMethodEnabled), query.value(Qt::ImEnabled).toBool(),
            Qt::InputMethodHints(query.value(Qt::ImHints).toInt())};
}

// The widget and the line edit inside a combo or spin box: the input method
// talks to whichever holds the focus.
QList<QWidget*> partsOf(QWidget* field)
{
    QList<QWidget*> parts{field};
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        parts << combo->lineEdit();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
        parts << spin->findChild<QLineEdit*>();
    }
    return parts;
}

class InputMethodFieldTest : public ::testing::TestWithParam<FieldCase>,
                             public MainWindowFixture {};

TEST_P(InputMethodFieldTest, TakesOrRefusesTheInputMethod)
{
    const FieldCase& c = GetParam();
    auto* field = window->findChild<QWidget*>(u(c.name));
    ASSERT_NE(field, nullptr);
    for (QWidget* part : partsOf(field)) {
        SCOPED_TRACE(part->metaObject()->className());
        const InputMethodView seen = asTheInputMethodSees(part);
        EXPECT_EQ(seen.attribute, c.takesInputMethod);
        EXPECT_EQ(seen.enabled, c.takesInputMethod);
        EXPECT_EQ(seen.hints, c.hints);
    }
}

constexpr Qt::InputMethodHints kFree = Qt::ImhNone;

INSTANTIATE_TEST_SUITE_P(
    EachField, InputMethodFieldTest,
    ::testing::Values(FieldCase{"txtName", true, kFree}, FieldCase{"txtKeisho", true, kFree},
                      FieldCase{"txtRenmei1", true, kFree}, FieldCase{"txtRenKeisho1", true, kFree},
                      FieldCase{"txtAddress", true, kFree}, FieldCase{"txtAddress2", true, kFree},
                      FieldCase{"txtMemo", true, kFree}, FieldCase{"txtSenderName", true, kFree},
                      FieldCase{"txtSenderRenmei", true, kFree},
                      FieldCase{"txtSenderAddress", true, kFree},
                      FieldCase{"txtSenderAddress2", true, kFree},
                      FieldCase{"txtYuubinNo", false, Qt::ImhDigitsOnly},
                      FieldCase{"txtSenderYuubinNo", false, Qt::ImhDigitsOnly},
                      FieldCase{"SpinCount", false, Qt::ImhFormattedNumbersOnly}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
