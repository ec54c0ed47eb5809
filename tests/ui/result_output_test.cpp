// The chart's context menu and what its entries put on the clipboard, into files
// and before the print dialog, through the real window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "shown_window.h"
#include "test_printers.h"
#include "ui/controls.h"
#include "ui/result_output.h"
#include "vector_files.h"

namespace {

class OutputTest : public ShownWindow {
protected:
    void SetUp() override {
        ShownWindow::SetUp();
        QGuiApplication::clipboard()->setText(kBefore);
    }

    [[nodiscard]] static QStringList menuTexts(const QMenu& menu) {
        QStringList texts;
        for (const QAction* action : menu.actions()) {
            if (!action->isSeparator()) {
                texts.append(action->text() + u'|' +
                             action->shortcut().toString(QKeySequence::PortableText));
            }
        }
        return texts;
    }

    [[nodiscard]] static QString clipboardText() { return QGuiApplication::clipboard()->text(); }

    // The answered warnings, as "title: text".
    [[nodiscard]] QStringList warnings() const {
        QStringList texts;
        for (const driver::AnsweredBox& box : user_->answered()) {
            texts.append(box.title + QStringLiteral(": ") + box.text);
        }
        return texts;
    }

    const QString kBefore = QStringLiteral("a vágólap korábbi tartalma");
};

// A value still in its box is taken, with its check, before a menu entry acts: the
// menu opened over a result label leaves the focus in the box; E is the entry's mnemonic.
TEST_F(OutputTest, TheMenuTakesTheValueStillBeingTyped) {
    for (const char* typed : {"5", "abc"}) {
        user_->typeInto(c().areaBox, QString::fromUtf8(typed));
        QTest::mouseClick(window_->windowHandle(), Qt::RightButton, Qt::NoModifier,
                          c().efficiencyLabel->mapTo(window_.get(), QPoint(5, 5)));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_E);
        user_->activate();
        // The refused "abc" leaves the results of 5 m² uncopied again.
        EXPECT_EQ(clipboardText().contains(u"(Q̇)\t2270 W"), typed[0] == '5') << typed;
        QGuiApplication::clipboard()->setText(kBefore);
    }
    EXPECT_EQ(warnings().size(), 1u);
}

TEST_F(OutputTest, TheContextMenuOpensByMouseMenuKeyAndShiftF10) {
    const QStringList entries = {
        "&Eredmények másolása|Ctrl+C",
        "&Teljesítménytáblázat másolása|",
        "Grafikon má&solása|",
        "Grafikon &mentése…|Ctrl+S",
        "&Nyomtatás…|Ctrl+P",
        "&Görbe megtartása összehasonlításhoz|",
        "Összehasonlítás tö&rlése|",
        "&Adatlap…|Ctrl+D",
        "&Éves hozam…|Ctrl+J",
        "&Kollektorkönyvtár…|Ctrl+K",
        "&Jelenlegi kollektor mentése a könyvtárba…|",
        "Törölt kollektorok &visszaállítása…|",
    };
    const struct {
        const char* way;
        std::function<void()> open;
    } ways[] = {
        {"right button",
         [&] {
             QTest::mouseClick(window_->windowHandle(), Qt::RightButton, Qt::NoModifier,
                               c().chart->mapTo(window_.get(), QPoint(200, 200)));
         }},
        {"right button on a result label",
         [&] {
             QTest::mouseClick(window_->windowHandle(), Qt::RightButton, Qt::NoModifier,
                               c().efficiencyLabel->mapTo(window_.get(), QPoint(5, 5)));
         }},
        {"Menu key", [&] { user_->key(Qt::Key_Menu); }},
        {"Shift+F10", [&] { user_->key(Qt::Key_F10, Qt::ShiftModifier); }},
    };
    for (const auto& way : ways) {
        c().chart->setFocus(Qt::TabFocusReason);
        user_->activate();
        way.open();
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << way.way;
        EXPECT_EQ(menu, &window_->chartMenu()) << way.way;
        EXPECT_EQ(menuTexts(*menu), entries) << way.way;
        menu->close();
        QApplication::processEvents();
    }
}

// Keep is offered while fewer than four are kept and forget while any is;
// the copied results list the kept collectors after the current one's.
TEST_F(OutputTest, TheMenuKeepsAndForgetsCurvesAndTheCopyListsThem) {
    const auto openMenu = [&] {
        QTest::mouseClick(window_->windowHandle(), Qt::RightButton, Qt::NoModifier,
                          c().chart->mapTo(window_.get(), QPoint(200, 200)));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        return menu;
    };
    const auto entry = [](QMenu* menu, const char* text) {
        const QList<QAction*> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* action) {
            return action->text() == QString::fromUtf8(text);
        });
        return found == actions.end() ? nullptr : *found;
    };
    const char* const keep = "&Görbe megtartása összehasonlításhoz";
    const char* const forget = "Összehasonlítás tö&rlése";
    const struct {
        int row;  // picked before the menu opens; -1: none
        bool keepOffered;
        bool forgetOffered;
        std::size_t keptAfterKeep;
    } steps[] = {
        {-1, true, false, 1}, {0, true, true, 2},  {1, true, true, 3},
        {4, true, true, 4},   {3, false, true, 4},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.row);
        if (step.row >= 0) {
            user_->pickRow(step.row);
        }
        user_->activate();
        QMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(entry(menu, keep)->isEnabled(), step.keepOffered);
        EXPECT_EQ(entry(menu, keep)->toolTip() == u"Legfeljebb négy görbe tartható meg",
                  !step.keepOffered);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(entry(menu, keep))
                          ->text(QAccessible::Description) == entry(menu, keep)->toolTip(),
                  !step.keepOffered);
        EXPECT_EQ(entry(menu, forget)->isEnabled(), step.forgetOffered);
        if (step.keepOffered) {
            entry(menu, keep)->trigger();
        }
        menu->close();
        QApplication::processEvents();
        EXPECT_EQ(window_->keptCollectors().size(), step.keptAfterKeep);
    }

    c().chart->setFocus(Qt::TabFocusReason);
    user_->key(Qt::Key_C, Qt::ControlModifier);
    // The current collector (row 3) first, then the kept ones in keeping order.
    EXPECT_TRUE(
        clipboardText().endsWith(QStringLiteral("x, ahol a hatásfok 0\t0,1\n"
                                                "Szelektív síkkollektor (η)\t56,7 %\n"
                                                "Szelektív síkkollektor (q̇)\t454 W/m2\n"
                                                "Vákumcsöves kollektor (η)\t55,9 %\n"
                                                "Vákumcsöves kollektor (q̇)\t447 W/m2\n"
                                                "Vákumos síkkollektor (η)\t65,4 %\n"
                                                "Vákumos síkkollektor (q̇)\t523 W/m2\n"
                                                "Lefedés nélküli kollektor (η)\t19 %\n"
                                                "Lefedés nélküli kollektor (q̇)\t152 W/m2\n")))
        << clipboardText().toStdString();

    QMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    entry(menu, forget)->trigger();
    menu->close();
    EXPECT_TRUE(window_->keptCollectors().empty());
}

TEST_F(OutputTest, TheMenuKeysOpenNothingWhileAnotherControlHasTheFocus) {
    for (auto key : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers(Qt::NoModifier)},
                     std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        c().irradianceSlider->setFocus(Qt::TabFocusReason);
        user_->activate();
        user_->key(key.first, key.second);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

// Ctrl+C copies a text field's selection where there is one to copy, and the
// results from anywhere else in the window.
TEST_F(OutputTest, CtrlCCopiesTheSelectionInATextFieldAndTheResultsElsewhere) {
    const struct {
        const char* where;
        std::function<void()> focus;
        QString expected;  // empty: the results
    } cases[] = {
        {"area box, all selected",
         [&] {
             user_->click(c().areaBox);
             c().areaBox->selectAll();
         },
         "1"},
        {"area box, part selected",
         [&] {
             user_->typeInto(c().areaBox, "12,5");
             c().areaBox->setSelection(3, 1);
         },
         "5"},
        {"the list's text field",
         [&] {
             user_->click(c().collectorType->lineEdit());
             c().collectorType->lineEdit()->setSelection(0, 9);
         },
         QStringLiteral("Szelektív")},
        {"the chart", [&] { user_->click(c().chart); }, {}},
        {"a slider", [&] { c().collectorTempSlider->setFocus(Qt::TabFocusReason); }, {}},
    };
    for (const auto& test : cases) {
        QGuiApplication::clipboard()->setText(kBefore);
        test.focus();
        user_->activate();
        user_->key(Qt::Key_C, Qt::ControlModifier);
        if (test.expected.isEmpty()) {
            EXPECT_TRUE(
                clipboardText().startsWith(u"Napkollektor típusa\tSzelektív síkkollektor\n"))
                << test.where << ": " << clipboardText().toStdString();
        } else {
            EXPECT_EQ(clipboardText(), test.expected) << test.where;
        }
    }
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join(u'\n').toStdString();
}

// Ctrl+K opens the library from the window, but a text box keeps the key
// for deleting to the end of its line.
TEST_F(OutputTest, CtrlKInATextBoxDeletesToTheEndOfTheLine) {
    user_->typeInto(c().areaBox, "12,5");
    c().areaBox->setCursorPosition(1);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = true;
            dialog->close();
        }
    });
    user_->key(Qt::Key_K, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(c().areaBox->text(), u"1");
    EXPECT_FALSE(opened);
}

TEST_F(OutputTest, CopiedResultsArePlainTextAndAnHtmlTableOfTheShownValues) {
    user_->typeInto(c().areaBox, "2,5");
    user_->click(c().chart);
    c().irradianceSlider->setValue(1000);
    window_->output().copyResults();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasText());
    ASSERT_TRUE(data->hasHtml());
    const QStringList lines = data->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    // Each line is what its control shows now.
    EXPECT_EQ(lines[4], u"A napkollektorok hasznos felülete (m²)\t2,5");
    EXPECT_EQ(lines[7], u"Napsugárzás intenzitás\t1000 W/m²");
    EXPECT_EQ(lines[10],
              QStringLiteral("Pillanatnyi kollektor hatásfok (η)\t") + c().efficiencyLabel->text());
    EXPECT_EQ(lines[12], QStringLiteral("Kollektor teljesítmény (Q̇)\t") + c().outputLabel->text());
    EXPECT_EQ(data->html().count(u"<tr>"), 14);
    EXPECT_TRUE(data->html().contains(QStringLiteral("<td>") + c().outputLabel->text() +
                                      QStringLiteral("</td>")));
}

// Pixel for pixel, but for a few levels of antialiasing where the pictures'
// edges are blended: the screen shows them rendered ahead, the copy renders
// them from their SVG files.
TEST_F(OutputTest, TheCopiedChartIsWhatGrafShows) {
    window_->output().copyChart();
    const QImage copied =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    const QImage shown = c().chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(copied.size(), shown.size());
    EXPECT_EQ(copied.devicePixelRatio(), c().chart->devicePixelRatioF());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = copied.pixel(x, y);
            const QRgb b = shown.pixel(x, y);
            const int difference =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
            if (difference > 4) {
                ++differing;
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(OutputTest, SavedFilesHoldTheChartInTheirFormat) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ui::ChartBox& chart = *c().chart;
    const struct {
        const char* name;
        std::function<void(const QByteArray&)> check;
    } files[] = {
        {"görbe.png",
         [&](const QByteArray& bytes) {
             const QImage image = QImage::fromData(bytes, "PNG");
             EXPECT_EQ(image.size(), chart.size() * 2);
         }},
        {"görbe.SVG",
         [&](const QByteArray& bytes) {
             EXPECT_TRUE(bytes.contains("<polyline") || bytes.contains("<path"));
             EXPECT_FALSE(bytes.contains("<image"));
             EXPECT_TRUE(bytes.contains(">56,7 %<")) << "the efficiency label as text";
         }},
        {"görbe.pdf",
         [&](const QByteArray& bytes) {
             EXPECT_TRUE(bytes.startsWith("%PDF-"));
             // An image XObject; the resource list's /ImageB and /ImageC are no image.
             EXPECT_FALSE(bytes.contains("/Subtype /Image"));
             bool paths = false;
             for (const QByteArray& stream : testsupport::pdfStreams(bytes)) {
                 paths = paths || (stream.contains(" m\n") && stream.contains(" l\n"));
             }
             EXPECT_TRUE(paths) << "no moveto/lineto in any content stream";
         }},
    };
    for (const auto& file : files) {
        const QString path = dir.filePath(QString::fromUtf8(file.name));
        EXPECT_TRUE(window_->output().saveChart(path)) << file.name;
        QFile saved(path);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << file.name;
        file.check(saved.readAll());
    }
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join(u'\n').toStdString();
}

TEST_F(OutputTest, AFileThatCannotBeWrittenGivesAWarningAndLeavesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile blocker(dir.filePath("fájl"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString paths[] = {dir.filePath("nincs/görbe.png"), dir.filePath("fájl/görbe.svg"),
                             dir.filePath("fájl/görbe.pdf")};
    for (const QString& path : paths) {
        EXPECT_FALSE(window_->output().saveChart(path));
        ASSERT_FALSE(warnings().isEmpty()) << path.toStdString();
        EXPECT_EQ(warnings().back(),
                  QStringLiteral("Mentés: A grafikon nem menthető ide: ") + path);
        EXPECT_EQ(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"fájl"});
    }
}

TEST_F(OutputTest, AnUnknownExtensionIsRefusedWithAWarning) {
    QTemporaryDir dir;
    const QString path = dir.filePath("görbe.txt");
    EXPECT_FALSE(window_->output().saveChart(path));
    EXPECT_EQ(warnings(),
              QStringList{QStringLiteral(
                              "Mentés: A grafikon csak PNG, SVG vagy PDF formátumban menthető: ") +
                          path});
    EXPECT_FALSE(QFile::exists(path));
}

// Ctrl+S and Ctrl+P from a text box: the shortcuts belong to the whole window.
TEST_F(OutputTest, SaveAndPrintShortcutsOpenTheirDialogsFromAnywhere) {
    QTemporaryDir dir;
    bool fileDialogSeen = false;
    bool printDialogSeen = false;
    QTimer answerer;
    answerer.setInterval(0);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* files = qobject_cast<QFileDialog*>(modal); files && files->isVisible()) {
            fileDialogSeen = true;
            EXPECT_EQ(files->windowTitle(), u"Grafikon mentése");
            EXPECT_EQ(files->parentWidget(), window_.get());
            EXPECT_TRUE(files->selectedFiles().value(0).endsWith(u"/hatasfokgorbe.png"));
            EXPECT_EQ(files->nameFilters(),
                      (QStringList{"PNG-kép (*.png)", "SVG-vektorgrafika (*.svg)",
                                   "PDF-dokumentum (*.pdf)"}));
            // A name without an extension takes the chosen type's.
            files->selectNameFilter(files->nameFilters()[1]);
            files->selectFile(dir.filePath("ábra"));
            static_cast<QDialog*>(files)->accept();  // as the Save button does
        } else if (auto* print = qobject_cast<QPrintDialog*>(modal); print && print->isVisible()) {
            printDialogSeen = true;
            EXPECT_EQ(print->windowTitle(), u"Nyomtatás");
            // The output file is named on every platform, not only on X11.
            EXPECT_TRUE(print->findChild<QLineEdit*>(QStringLiteral("filename"))
                            ->text()
                            .endsWith(u"/Hatásfokgörbe.pdf"));
            print->reject();
        }
    });
    answerer.start();
    user_->click(c().areaBox);
    user_->key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(fileDialogSeen);
    EXPECT_TRUE(QFile::exists(dir.filePath("ábra.svg")));
    user_->activate();
    user_->click(c().areaBox);
    user_->key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(printDialogSeen);
}

}  // namespace
