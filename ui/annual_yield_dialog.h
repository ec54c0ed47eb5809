#pragma once

#include <QDialog>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/annual_yield.h"
#include "present/annual_texts.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPagedPaintDevice;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace ui {

class Announcer;
class CollectorHost;
class MonthlyChart;

// A collector the dialog offers, with the coefficients its year is
// calculated with.
struct YearCollector {
    QString name;
    model::ThermalCollector collector;
};

// What the dialog is given: the collectors the window shows, where the
// library lies, and the weather file last used, with the way to remember
// the next one.
struct AnnualYieldSources {
    std::vector<YearCollector> shown;
    QString libraryPath;
    QString weatherFile;
    std::function<void(const QString&)> rememberWeatherFile;
};

// The heat a collector gives in a typical year at the user's site, from a
// weather file: a monthly bar chart at one temperature and the annual table,
// for the window's collectors and any chosen from the library.
class AnnualYieldDialog : public QDialog {
    Q_OBJECT
public:
    AnnualYieldDialog(AnnualYieldSources sources, QWidget* parent, const QLocale& locale);
    ~AnnualYieldDialog() override;

    // Reads the weather file and calculates; false, with the
    // reason shown, when the file is refused.
    bool openWeather(const QString& path);
    // Adds collectors as the library dialog's choice would, checked.
    void addCollectors(const std::vector<YearCollector>& collectors);

    // The figures shown, one row per collector and temperature; empty while
    // nothing can be calculated.
    struct Row {
        QString collector;
        model::AnnualYield yield;
    };
    [[nodiscard]] const std::vector<Row>& rows() const { return rows_; }
    [[nodiscard]] QString status() const;

    void copy();
    void print();
    void exportCsv();
    // The CSV without asking where; false, with the reason shown, when the
    // file cannot be written.
    bool writeCsv(const QString& path, present::AnnualCsvStyle style);
    bool printTo(QPagedPaintDevice& printer);

private:
    struct Year;
    void buildInputs(QWidget& body);
    void buildResults(QWidget& body);
    QWidget* buildButtons();
    void browse();
    void chooseFromLibrary();
    [[nodiscard]] std::optional<std::vector<double>> temperatures();
    void recalculate();
    [[nodiscard]] std::vector<QStringList> cells() const;
    // What copy and export write: the site, the plane and each collector's rows.
    [[nodiscard]] present::AnnualResults results() const;
    [[nodiscard]] model::Plane plane() const;
    [[nodiscard]] QString planeText() const;
    void showRows();
    void showChart();
    // Errors and the outcome of an action are said aloud too; the
    // irradiation line that follows every change is only shown.
    enum class Heard { Yes, No };
    void setStatus(const QString& text, Heard heard = Heard::Yes);

    QLocale locale_;
    AnnualYieldSources sources_;
    std::unique_ptr<Year> year_;
    std::vector<YearCollector> offered_;
    std::vector<Row> rows_;

    QLineEdit* weatherPath_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* fromLibrary_ = nullptr;
    QLabel* site_ = nullptr;
    QDoubleSpinBox* tilt_ = nullptr;
    QDoubleSpinBox* azimuth_ = nullptr;
    QDoubleSpinBox* albedo_ = nullptr;
    QComboBox* sky_ = nullptr;
    QLineEdit* temps_ = nullptr;
    QListWidget* collectors_ = nullptr;
    QTabWidget* results_ = nullptr;
    QComboBox* chartTemperature_ = nullptr;
    MonthlyChart* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* status_ = nullptr;
    Announcer* announcer_ = nullptr;
    std::vector<QPushButton*> resultButtons_;
};

// The window's collector and kept curves, the library and the weather file
// last used.
[[nodiscard]] AnnualYieldSources annualYieldSources(const CollectorHost& window);
// Opens the dialog over the window with those.
void openAnnualYield(CollectorHost& window);

}  // namespace ui
