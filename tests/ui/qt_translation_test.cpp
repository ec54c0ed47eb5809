// Qt's own wording follows the window's language: Hungarian under a
// Hungarian locale, Qt's English under any other.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <memory>

#include "runtime/qt_translation.h"

namespace {

using namespace Qt::Literals::StringLiterals;

// The context menu a text box opens, as the user reads it (no shortcuts).
QStringList contextMenuWording() {
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList wording;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            wording << action->text().section(u'\t', 0, 0).remove(u'&');
        }
    }
    return wording;
}

TEST(QtTranslation, TheTextBoxMenuSpeaksTheWindowsLanguage) {
    const QStringList english = {u"Undo"_s,  u"Redo"_s,   u"Cut"_s,       u"Copy"_s,
                                 u"Paste"_s, u"Delete"_s, u"Select All"_s};
    const QStringList hungarian = {u"Visszavonás"_s,      u"Újra"_s,        u"Kivágás"_s,
                                   u"Másolás"_s,          u"Beillesztés"_s, u"Törlés"_s,
                                   u"Összes kijelölése"_s};
    const struct {
        QLocale locale;
        bool installed;
        const QStringList& wording;
    } cases[] = {
        {QLocale(QLocale::Hungarian, QLocale::Hungary), true, hungarian},
        {QLocale(QLocale::English, QLocale::UnitedStates), false, english},
        {QLocale::c(), false, english},
        // Back to Hungarian after another language: the catalogue is installed anew.
        {QLocale(QLocale::Hungarian, QLocale::Hungary), true, hungarian},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.locale.name().toStdString());
        EXPECT_EQ(rt::installQtTranslation(row.locale), row.installed);
        EXPECT_EQ(contextMenuWording(), row.wording);
    }
    rt::installQtTranslation(QLocale::c());
}

}  // namespace
