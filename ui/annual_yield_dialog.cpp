#include "annual_yield_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>

#include "announcer.h"
#include "collector_host.h"
#include "dialog_frame.h"
#include "focus_frame.h"
#include "library/collector_store.h"
#include "library/stored_calculation.h"
#include "library_dialog.h"
#include "monthly_chart.h"
#include "output_module.h"
#include "present/datasheet_text.h"

namespace ui {
namespace {

const std::array<QString, 12> kMonths{
    QStringLiteral("jan."), QStringLiteral("febr."), QStringLiteral("márc."),
    QStringLiteral("ápr."), QStringLiteral("máj."),  QStringLiteral("jún."),
    QStringLiteral("júl."), QStringLiteral("aug."),  QStringLiteral("szept."),
    QStringLiteral("okt."), QStringLiteral("nov."),  QStringLiteral("dec.")};

enum Column {
    CollectorColumn,
    TemperatureColumn,
    PerAreaColumn,
    PerCollectorColumn,
    EfficiencyColumn,
    ColumnCount
};

QDoubleSpinBox* angleBox(QWidget& parent, double lowest, double highest, double value,
                         const QString& name) {
    auto* box = new QDoubleSpinBox(&parent);
    box->setRange(lowest, highest);
    box->setDecimals(1);
    box->setValue(value);
    box->setSuffix(QStringLiteral("°"));
    // Arrows move the plane at once; a typed value counts once it is left.
    box->setKeyboardTracking(false);
    box->setAccessibleName(name);
    return box;
}

QLabel* labelFor(QWidget& parent, const QString& text, QWidget& field) {
    auto* label = new QLabel(text, &parent);
    label->setBuddy(&field);
    return label;
}

}  // namespace

// The weather file read, and the year prepared on the plane last asked for.
struct AnnualYieldDialog::Year {
    QString path;
    model::WeatherYear weather;
    std::optional<model::Plane> plane;
    model::PreparedYear prepared;

    const model::PreparedYear& on(const model::Plane& p) {
        if (plane != p) {
            prepared = model::prepareYear(weather, p);
            plane = p;
        }
        return prepared;
    }
};

AnnualYieldDialog::AnnualYieldDialog(AnnualYieldSources sources, QWidget* parent,
                                     const QLocale& locale)
    : QDialog(parent), locale_(locale), sources_(std::move(sources)) {
    setWindowTitle(QStringLiteral("Éves hozam"));
    setAccessibleName(windowTitle());
    announcer_ = new Announcer(this);
    // Made in reading order, which Tab follows: the buttons below the body last.
    QWidget* body = scrollingBody(*this, nullptr);
    buildInputs(*body);
    buildResults(*body);
    layout()->addWidget(buildButtons());
    addCollectors(sources_.shown);
    for (QDoubleSpinBox* box : {tilt_, azimuth_, albedo_}) {
        box->setLocale(locale_);  // the window's decimal separator
    }
    fitToScreen(*this, QSize(760, 560));
    if (!sources_.weatherFile.isEmpty()) {
        openWeather(sources_.weatherFile);
    } else {
        // Shown, not said: the dialog's opening already reads it.
        setStatus(QStringLiteral("Válasszon időjárási fájlt (PVGIS TMY CSV, EPW vagy TMY3)."),
                  Heard::No);
    }
    // A path typed at once replaces the one offered, not extends it.
    weatherPath_->selectAll();
}

AnnualYieldDialog::~AnnualYieldDialog() = default;

// Four rows over a grid of six columns, narrow enough for a 1024×768
// screen at 150 %: the file, the site, the plane, the sky and temperatures.
void AnnualYieldDialog::buildInputs(QWidget& body) {
    auto* layout = new QVBoxLayout(&body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    weatherPath_ = new QLineEdit(&body);
    weatherPath_->setAccessibleName(QStringLiteral("Időjárási fájl"));
    auto* browse = browse_ = new QPushButton(QStringLiteral("&Tallózás…"), &body);
    // Each button's name starts with its visible words, which voice control says.
    browse->setAccessibleName(QStringLiteral("Tallózás: időjárási fájl"));
    // Enter in a field takes its value; it must not press a button too.
    browse->setAutoDefault(false);
    grid->addWidget(labelFor(body, QStringLiteral("&Időjárási fájl:"), *weatherPath_), 0, 0);
    grid->addWidget(weatherPath_, 0, 1, 1, 4);
    grid->addWidget(browse, 0, 5);
    site_ = new QLabel(&body);
    site_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(site_, 1, 1, 1, 5);
    connect(browse, &QPushButton::clicked, this, &AnnualYieldDialog::browse);
    connect(weatherPath_, &QLineEdit::editingFinished, this, [this] {
        if (weatherPath_->text() != (year_ ? year_->path : QString())) {
            openWeather(weatherPath_->text());
        } else if (year_) {
            recalculate();  // back to the file shown: its figures replace an earlier refusal
        }
    });

    // Named as their labels, which Orca then says once; what a value means
    // is the description, shown as a tooltip too.
    tilt_ = angleBox(body, 0, 90, 45, QStringLiteral("Dőlésszög"));
    tilt_->setToolTip(QStringLiteral("0° vízszintes, 90° függőleges"));
    azimuth_ = angleBox(body, -180, 180, 0, QStringLiteral("Azimut"));
    azimuth_->setToolTip(QStringLiteral("0° dél, −90° kelet, +90° nyugat"));
    albedo_ = new QDoubleSpinBox(&body);
    albedo_->setRange(0, 1);
    albedo_->setDecimals(2);
    albedo_->setSingleStep(0.05);
    albedo_->setValue(0.2);
    albedo_->setKeyboardTracking(false);
    albedo_->setAccessibleName(QStringLiteral("Albedó"));
    albedo_->setToolTip(QStringLiteral("A talaj fényvisszaverő képessége, 0 és 1 között"));
    grid->addWidget(labelFor(body, QStringLiteral("&Dőlésszög:"), *tilt_), 2, 0);
    grid->addWidget(tilt_, 2, 1);
    grid->addWidget(labelFor(body, QStringLiteral("A&zimut:"), *azimuth_), 2, 2);
    grid->addWidget(azimuth_, 2, 3);
    grid->addWidget(labelFor(body, QStringLiteral("&Albedó:"), *albedo_), 2, 4);
    grid->addWidget(albedo_, 2, 5);

    sky_ = new QComboBox(&body);
    sky_->addItems({QStringLiteral("Hay–Davies"), QStringLiteral("izotróp")});
    sky_->setAccessibleName(QStringLiteral("Égboltmodell"));
    voiceValue(*sky_, *announcer_);
    temps_ = new QLineEdit(&body);
    temps_->setText(QStringLiteral("25; 50; 75"));
    temps_->setAccessibleName(QStringLiteral("Közepes folyadék-hőmérsékletek [°C]"));
    temps_->setToolTip(QStringLiteral("0 és 150 °C között, pontosvesszővel elválasztva"));
    grid->addWidget(labelFor(body, QStringLiteral("É&gboltmodell:"), *sky_), 3, 0);
    grid->addWidget(sky_, 3, 1);
    grid->addWidget(
        labelFor(body, QStringLiteral("Közepes &folyadék-hőmérsékletek [°C]:"), *temps_), 3, 2, 1,
        2);
    grid->addWidget(temps_, 3, 4, 1, 2);

    collectors_ = new QListWidget(&body);
    collectors_->setAccessibleName(QStringLiteral("Kollektorok"));
    collectors_->setAccessibleDescription(QStringLiteral("A bejelöltek hozama látszik."));
    collectors_->setMaximumHeight(collectors_->fontMetrics().height() * 3 + 8);
    auto* fromLibrary = fromLibrary_ =
        new QPushButton(QStringLiteral("Hozzáadás a könyvtár&ból…"), &body);
    fromLibrary->setAccessibleName(QStringLiteral("Hozzáadás a könyvtárból"));
    fromLibrary->setAutoDefault(false);
    grid->addWidget(labelFor(body, QStringLiteral("&Kollektorok:"), *collectors_), 4, 0,
                    Qt::AlignTop);
    grid->addWidget(collectors_, 4, 1, 1, 4);
    grid->addWidget(fromLibrary, 4, 5, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    connect(fromLibrary, &QPushButton::clicked, this, &AnnualYieldDialog::chooseFromLibrary);
    connect(collectors_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        recalculate();
        // Orca does not say a list row's new check state by itself.
        if (item->listWidget()->hasFocus()) {
            announcer_->announce(item->text() + (item->checkState() == Qt::Checked
                                                     ? QStringLiteral(": bejelölve")
                                                     : QStringLiteral(": nincs bejelölve")));
        }
    });

    for (QDoubleSpinBox* box : {tilt_, azimuth_, albedo_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { recalculate(); });
    }
    connect(sky_, &QComboBox::currentIndexChanged, this, [this] { recalculate(); });
    connect(temps_, &QLineEdit::editingFinished, this, [this] { recalculate(); });
    new FocusFrame(*this, {browse, fromLibrary, collectors_});
}

void AnnualYieldDialog::buildResults(QWidget& body) {
    results_ = new QTabWidget(&body);
    results_->setAccessibleName(QStringLiteral("Eredmények"));

    auto* monthly = new QWidget(results_);
    auto* monthlyLayout = new QVBoxLayout(monthly);
    auto* pick = new QHBoxLayout;
    chartTemperature_ = new QComboBox(monthly);
    chartTemperature_->setAccessibleName(QStringLiteral("Hőmérséklet a diagramon"));
    voiceValue(*chartTemperature_, *announcer_);
    pick->addWidget(
        labelFor(*monthly, QStringLiteral("Hőmérsékl&et a diagramon:"), *chartTemperature_));
    pick->addWidget(chartTemperature_);
    pick->addStretch(1);
    monthlyLayout->addLayout(pick);
    chart_ = makeMonthlyChart(*monthly);
    if (chart_ != nullptr) {
        chart_->widget().setAccessibleName(QStringLiteral(
            "Havi hozam oszlopdiagramja; a havi számokat a Másolás gomb a vágólapra teszi"));
        chart_->widget().setMinimumHeight(130);
        monthlyLayout->addWidget(&chart_->widget(), 1);
    } else {
        monthlyLayout->addWidget(new QLabel(
            QStringLiteral("A diagram nem jeleníthető meg: a QtCharts modul nem tölthető be."),
            monthly));
    }
    connect(chartTemperature_, &QComboBox::currentIndexChanged, this, [this] { showChart(); });

    table_ = new QTableWidget(0, ColumnCount, results_);
    table_->setHorizontalHeaderLabels({QStringLiteral("Kollektor"), QStringLiteral("ϑm [°C]"),
                                       QStringLiteral("kWh/m²"), QStringLiteral("kWh/kollektor"),
                                       QStringLiteral("ηa [%]")});
    // Read by their words, not their symbols.
    const QString spoken[ColumnCount] = {
        QStringLiteral("Kollektor"), QStringLiteral("Közepes folyadék-hőmérséklet, °C"),
        QStringLiteral("Éves hozam, kWh/m²"), QStringLiteral("Éves hozam, kWh/kollektor"),
        QStringLiteral("Éves hatásfok, %")};
    for (int c = 0; c < ColumnCount; ++c) {
        table_->horizontalHeaderItem(c)->setData(Qt::AccessibleTextRole, spoken[c]);
        table_->horizontalHeaderItem(c)->setToolTip(spoken[c]);
    }
    table_->setAccessibleName(QStringLiteral("Éves hozam táblázata"));
    // Tab leaves the table, as it leaves every other control.
    table_->setTabKeyNavigation(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(CollectorColumn, QHeaderView::Stretch);

    results_->addTab(monthly, QStringLiteral("&Havi hozam"));
    results_->addTab(table_, QStringLiteral("É&ves táblázat"));
    // A tab chosen by its mnemonic takes the focus into its page, so that
    // the change is seen and heard.
    connect(results_, &QTabWidget::currentChanged, this, [this](int page) {
        if (!results_->tabBar()->hasFocus()) {
            (page == 0 ? static_cast<QWidget*>(chartTemperature_) : table_)
                ->setFocus(Qt::ShortcutFocusReason);
        }
    });
    static_cast<QVBoxLayout*>(body.layout())->addWidget(results_, 1);
    status_ = new QLabel(&body);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body.layout()->addWidget(status_);
    new FocusFrame(*this, {results_->tabBar(), table_});
}

QWidget* AnnualYieldDialog::buildButtons() {
    auto* box = new QDialogButtonBox(this);
    const auto add = [this, box](const QString& text, const QString& name, auto slot) {
        auto* button = box->addButton(text, QDialogButtonBox::ActionRole);
        button->setAccessibleName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        resultButtons_.push_back(button);
        return button;
    };
    QPushButton* copy = add(QStringLiteral("&Másolás"), QStringLiteral("Másolás a vágólapra"),
                            &AnnualYieldDialog::copy);
    QPushButton* print =
        add(QStringLiteral("&Nyomtatás…"), QStringLiteral("Nyomtatás"), &AnnualYieldDialog::print);
    QPushButton* csv = add(QStringLiteral("&CSV-exportálás…"),
                           QStringLiteral("CSV-exportálás fájlba"), &AnnualYieldDialog::exportCsv);
    QPushButton* close = box->addButton(QStringLiteral("Bezárás"), QDialogButtonBox::RejectRole);
    close->setAccessibleName(QStringLiteral("Bezárás"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    new FocusFrame(*this, {copy, print, csv, close});
    return box;
}

void AnnualYieldDialog::browse() {
    const QString start = year_ ? QFileInfo(year_->path).path() : QString();
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Időjárási fájl megnyitása"), start,
        QStringLiteral("Időjárási fájlok (*.csv *.epw);;Minden fájl (*)"));
    if (!path.isEmpty()) {
        openWeather(path);
    }
}

bool AnnualYieldDialog::openWeather(const QString& path) {
    weatherPath_->setText(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setStatus(QStringLiteral("A fájl nem nyitható meg: %1 (%2)").arg(path, file.errorString()));
        return false;
    }
    auto year = std::make_unique<Year>();
    year->path = path;
    try {
        // One byte past the largest year is enough to refuse a file too large.
        const QByteArray bytes = file.read(model::kLargestWeatherFile + 1);
        year->weather = model::readWeather(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            QFileInfo(path).fileName().toStdString());
    } catch (const model::WeatherError& refused) {
        setStatus(QStringLiteral("Az időjárási fájl nem használható: %1")
                      .arg(present::weatherRefusal(refused)));
        return false;
    }
    year_ = std::move(year);
    const present::AnnualSite site = present::siteOf(year_->weather);
    const present::DatasheetNumbers numbers(locale_);
    const auto degrees = [&numbers](double value, const char16_t* positive,
                                    const char16_t* negative) {
        return QStringLiteral("%1° %2").arg(numbers.number(std::abs(value), 3),
                                            QString::fromUtf16(value < 0 ? negative : positive));
    };
    site_->setText(QStringLiteral("Helyszín: %1, %2, %3 m tengerszint feletti magasság")
                       .arg(degrees(site.latitude, u"É", u"D"),
                            degrees(site.longitude, u"K", u"Ny"),
                            numbers.number(site.elevation, 1)));
    if (sources_.rememberWeatherFile) {
        sources_.rememberWeatherFile(path);
    }
    recalculate();
    return true;
}

void AnnualYieldDialog::addCollectors(const std::vector<YearCollector>& collectors) {
    const QSignalBlocker quiet(collectors_);
    for (const YearCollector& c : collectors) {
        offered_.push_back(c);
        auto* item = new QListWidgetItem(c.name, collectors_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (collectors_->currentRow() < 0 && collectors_->count() > 0) {
        collectors_->setCurrentRow(0);
    }
    recalculate();
}

void AnnualYieldDialog::chooseFromLibrary() {
    const library::CollectorStore store(sources_.libraryPath);
    if (store.collectors().isEmpty()) {
        setStatus(store.problem().isEmpty() ? QStringLiteral("A kollektorkönyvtár üres.")
                                            : store.problem());
        return;
    }
    QDialog choose(this);
    choose.setWindowTitle(QStringLiteral("Kollektorok a könyvtárból"));
    auto* list = new QListWidget(&choose);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setAccessibleName(QStringLiteral("A könyvtár kollektorai; több is kijelölhető"));
    for (const library::Collector& c : store.collectors()) {
        list->addItem(c.name);
    }
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choose);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Hozzáadás"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Mégse"));
    connect(buttons, &QDialogButtonBox::accepted, &choose, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &choose, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, &choose, &QDialog::accept);
    auto* layout = new QVBoxLayout(&choose);
    layout->addWidget(labelFor(choose, QStringLiteral("&Kollektorok:"), *list));
    layout->addWidget(list);
    layout->addWidget(buttons);
    new FocusFrame(choose, {list, buttons->button(QDialogButtonBox::Ok),
                            buttons->button(QDialogButtonBox::Cancel)});
    if (choose.exec() != QDialog::Accepted) {
        return;
    }
    std::vector<YearCollector> chosen;
    QStringList refused;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
        const library::Collector& stored = store.collectors().at(index.row());
        const auto converted = library::thermalCollector(stored);
        if (const auto* why = std::get_if<library::NotCalculable>(&converted)) {
            refused.append(QStringLiteral("%1: %2").arg(stored.name, library::describe(*why)));
            continue;
        }
        chosen.push_back({stored.name, std::get<model::ThermalCollector>(converted)});
    }
    addCollectors(chosen);
    if (!refused.isEmpty()) {
        setStatus(QStringLiteral("Nem számítható: %1").arg(refused.join(QStringLiteral("; "))));
    }
}

// The temperatures typed, separated by semicolons or blanks; none refused.
std::optional<std::vector<double>> AnnualYieldDialog::temperatures() {
    std::vector<double> values;
    const QStringList parts =
        temps_->text().split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        bool ok = false;
        const double value = locale_.toDouble(part, &ok);
        if (!ok || !(value >= 0 && value <= 150)) {
            setStatus(
                QStringLiteral("„%1”: a hőmérséklet 0 és 150 °C közötti szám legyen.").arg(part));
            return std::nullopt;
        }
        values.push_back(value);
    }
    if (values.empty()) {
        setStatus(QStringLiteral("Adjon meg legalább egy közepes folyadék-hőmérsékletet."));
        return std::nullopt;
    }
    return values;
}

model::Plane AnnualYieldDialog::plane() const {
    return {
        .tilt = tilt_->value(),
        .azimuth = azimuth_->value(),
        .albedo = albedo_->value(),
        .sky = sky_->currentIndex() == 0 ? model::SkyModel::HayDavies : model::SkyModel::Isotropic};
}

QString AnnualYieldDialog::planeText() const {
    return QStringLiteral(
               "Dőlésszög: %1°, tájolás: %2° (0° dél, −90° kelet), albedó: %3, "
               "égboltmodell: %4")
        .arg(locale_.toString(tilt_->value()), locale_.toString(azimuth_->value()),
             locale_.toString(albedo_->value()), sky_->currentText());
}

void AnnualYieldDialog::recalculate() {
    rows_.clear();
    const std::optional<std::vector<double>> temps = temperatures();
    if (year_ && temps) {
        const model::PreparedYear& prepared = year_->on(plane());
        QStringList refused;
        for (int i = 0; i < collectors_->count(); ++i) {
            if (collectors_->item(i)->checkState() != Qt::Checked) {
                continue;
            }
            const YearCollector& offered = offered_[static_cast<std::size_t>(i)];
            try {
                for (const model::AnnualYield& y :
                     model::annualYield(prepared, offered.collector, *temps)) {
                    rows_.push_back({offered.name, y});
                }
            } catch (const model::YieldError& fault) {
                refused << QStringLiteral("%1: %2").arg(offered.name,
                                                        present::yieldReason(fault.fault()));
            }
        }
        if (!refused.isEmpty()) {
            setStatus(
                QStringLiteral("Nem számítható: %1.").arg(refused.join(QStringLiteral("; "))));
        } else {
            // Said where sighted users look, not aloud: it follows every change.
            QString status =
                QStringLiteral("A kollektor síkjára jutó éves besugárzás: %1 kWh/m².")
                    .arg(present::DatasheetNumbers(locale_).fixed(prepared.irradiation, 1));
            if (std::any_of(rows_.begin(), rows_.end(),
                            [](const Row& row) { return row.yield.fromHemisphericalEta0; })) {
                status += QStringLiteral(" * Csak a félgömbi η0 ismert: η0,b = η0 és Kd = 1.");
            }
            setStatus(status, Heard::No);
        }
    }
    showRows();
    {
        const QSignalBlocker quiet(chartTemperature_);
        const int chosen = chartTemperature_->currentIndex();
        chartTemperature_->clear();
        if (temps) {
            for (double t : *temps) {
                chartTemperature_->addItem(QStringLiteral("%1 °C").arg(locale_.toString(t)));
            }
            chartTemperature_->setCurrentIndex(
                chosen >= 0 && chosen < chartTemperature_->count() ? chosen : 0);
        }
    }
    // The value screen readers hear, as voiceValue keeps it.
    chartTemperature_->setAccessibleDescription(chartTemperature_->currentText());
    showChart();
}

// The table's texts, row by row, as the dialog and the printed page show them.
std::vector<QStringList> AnnualYieldDialog::cells() const {
    // Tenths, as the copied, exported and command-line figures have them.
    const present::DatasheetNumbers numbers(locale_);
    std::vector<QStringList> cells;
    for (const Row& row : rows_) {
        cells.push_back(
            {row.yield.fromHemisphericalEta0 ? row.collector + QStringLiteral(" *") : row.collector,
             numbers.number(row.yield.meanFluidTemperature, 2),
             numbers.fixed(row.yield.perSquareMetre, 1), numbers.fixed(row.yield.perCollector, 1),
             numbers.fixed(row.yield.efficiency * 100, 1)});
    }
    return cells;
}

present::AnnualResults AnnualYieldDialog::results() const {
    present::AnnualResults results;
    if (!year_ || rows_.empty()) {
        return results;
    }
    results.site = present::siteOf(year_->weather);
    results.plane = plane();
    results.irradiation = rows_.front().yield.irradiation;
    for (const Row& row : rows_) {
        if (results.collectors.empty() || results.collectors.back().name != row.collector) {
            results.collectors.push_back({row.collector, {}});
        }
        results.collectors.back().rows.push_back(row.yield);
    }
    return results;
}

void AnnualYieldDialog::showRows() {
    const std::vector<QStringList> texts = cells();
    table_->setRowCount(static_cast<int>(texts.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[static_cast<std::size_t>(r)][c]);
            if (c != CollectorColumn) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table_->setItem(r, c, item);
        }
    }
    if (!rows_.empty()) {
        table_->setCurrentCell(0, 0);  // entering the table reads its first row
    }
    for (QPushButton* button : resultButtons_) {
        button->setEnabled(!rows_.empty());
    }
}

void AnnualYieldDialog::showChart() {
    if (chart_ == nullptr) {
        return;
    }
    std::vector<MonthlyBars> bars;
    const int chosen = chartTemperature_->currentIndex();
    const std::optional<std::vector<double>> temps = temperatures();
    for (const Row& row : rows_) {
        if (temps && chosen >= 0 &&
            row.yield.meanFluidTemperature == (*temps)[static_cast<std::size_t>(chosen)]) {
            bars.push_back({row.collector, row.yield.monthlyPerSquareMetre});
        }
    }
    QStringList months;
    for (const QString& m : kMonths) {
        months.append(m);
    }
    chart_->show(bars, months, QStringLiteral("kWh/m²"), locale_);
}

QString AnnualYieldDialog::status() const {
    return status_->text();
}

void AnnualYieldDialog::setStatus(const QString& text, Heard heard) {
    status_->setText(text);
    if (heard == Heard::Yes) {
        announcer_->announce(text);  // again too: a second copy is news as well
    }
}

void AnnualYieldDialog::copy() {
    if (!rows_.empty()) {
        QGuiApplication::clipboard()->setText(present::annualPlainText(results(), locale_));
        setStatus(QStringLiteral("Az éves hozam a vágólapra került."));
    }
}
void AnnualYieldDialog::print() {
    const OutputModule* output = outputModule();
    if (output == nullptr || rows_.empty()) {
        return;
    }
    const std::unique_ptr<QPagedPaintDevice> printer = output->printer();
    setUpPrintedPage(*printer, windowTitle());
    if (output->askToPrint(*printer, this, QStringLiteral("Nyomtatás"))) {
        (void)printTo(*printer);
    }
}
// Semicolons and decimal commas where the window's numbers have commas, as
// the spreadsheets of that region read them; commas and points otherwise.
void AnnualYieldDialog::exportCsv() {
    if (rows_.empty()) {
        return;
    }
    const QString semicolons = QStringLiteral("CSV, pontosvesszővel és tizedesvesszővel (*.csv)");
    const QString commas = QStringLiteral("CSV, vesszővel és tizedesponttal (*.csv)");
    const bool comma = locale_.decimalPoint() == QStringLiteral(",");
    QString filter = comma ? semicolons : commas;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Az éves hozam exportálása"), QStringLiteral("eves-hozam.csv"),
        comma ? semicolons + QStringLiteral(";;") + commas
              : commas + QStringLiteral(";;") + semicolons,
        &filter);
    if (!path.isEmpty()) {
        (void)writeCsv(path, filter == semicolons ? present::AnnualCsvStyle::Hungarian
                                                  : present::AnnualCsvStyle::Point);
    }
}

bool AnnualYieldDialog::writeCsv(const QString& path, present::AnnualCsvStyle style) {
    QSaveFile file(path);
    const QByteArray bytes = present::annualCsv(results(), style).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        setStatus(QStringLiteral("A fájl nem menthető: %1 (%2)").arg(path, file.errorString()));
        return false;
    }
    setStatus(QStringLiteral("Mentve: %1.").arg(path));
    return true;
}
// One A4 page: the title, the site and plane, the table, and the chart as
// the dialog draws it.
bool AnnualYieldDialog::printTo(QPagedPaintDevice& printer) {
    if (rows_.empty()) {
        return false;
    }
    QPainter painter;
    const std::optional<QSizeF> printable = beginPrintedPage(painter, printer, windowTitle());
    if (!printable) {
        return false;
    }
    const QSizeF page = *printable;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, page.width(), 24), Qt::AlignLeft, windowTitle());
    font.setPixelSize(9);
    font.setBold(false);
    painter.setFont(font);
    double y = 30;
    for (const QString& line : {site_->text(), planeText(), status_->text()}) {
        painter.drawText(QRectF(0, y, page.width(), 14), Qt::AlignLeft, line);
        y += 14;
    }
    y += 10;
    const double columnWidth = page.width() / static_cast<int>(ColumnCount);
    std::vector<QStringList> rows = cells();
    QStringList header;
    for (int c = 0; c < ColumnCount; ++c) {
        header.append(table_->horizontalHeaderItem(c)->text());
    }
    rows.insert(rows.begin(), header);
    for (const QStringList& row : rows) {
        for (int c = 0; c < ColumnCount; ++c) {
            const QRectF cell(c * columnWidth, y, columnWidth, 15);
            painter.drawRect(cell);
            painter.drawText(
                cell.adjusted(3, 0, -4, 0),
                (c == CollectorColumn ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                painter.fontMetrics().elidedText(row[c], Qt::ElideRight, qFloor(columnWidth) - 7));
        }
        y += 15;
    }
    if (chart_ != nullptr) {
        QWidget& chart = chart_->widget();
        const double scale = std::min(1.0, page.width() / chart.width());
        painter.translate(0, y + 20);
        painter.scale(scale, scale);
        chart.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    return painter.end();
}

AnnualYieldSources annualYieldSources(const CollectorHost& window) {
    AnnualYieldSources sources;
    const ShownCollector shown = window.shownCollector();
    const auto thermal = [](rt::Fixed4 eta0, rt::Fixed4 a1, rt::Fixed4 a2, double area) {
        return model::ThermalCollector{.eta0b = eta0.toDouble(),
                                       .kd = 1,
                                       .hemisphericalOnly = true,
                                       .a1 = a1.toDouble(),
                                       .a2 = a2.toDouble(),
                                       .area = area};
    };
    sources.shown.push_back(
        {shown.name, thermal(shown.eta0, shown.a1, shown.a2, shown.area.toDouble())});
    for (const model::KeptCollector& kept : window.keptCollectors()) {
        sources.shown.push_back(
            {kept.name, thermal(kept.eta0, kept.a1, kept.a2, shown.area.toDouble())});
    }
    sources.libraryPath = libraryPath();
    library::CollectorStore store(sources.libraryPath);
    store.reload();
    sources.weatherFile = store.weatherFile();
    // Kept in the library's own file, the one file the program writes; a
    // library that cannot be read is not written, and the choice is then
    // only not remembered.
    sources.rememberWeatherFile = [path = sources.libraryPath](const QString& weatherFile) {
        (void)library::CollectorStore(path).rememberWeatherFile(weatherFile);
    };
    return sources;
}

void openAnnualYield(CollectorHost& window) {
    auto* dialog = new AnnualYieldDialog(annualYieldSources(window), &window.dialogParent(),
                                         window.numberLocale());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

}  // namespace ui
