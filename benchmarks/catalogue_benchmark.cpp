// The heaviest edits of the design window against an engineer-sized
// catalogue (20,000 cores and 500 materials), and opening the largest
// design file.
#include "engine/catalogue/csv_import.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdlib>

#include <benchmark/benchmark.h>

namespace {

constexpr int kCores = 20000;
constexpr int kMaterials = 500;

// Writes the CSV sources and imports them once for every benchmark.
class LargeCatalogue {
public:
    LargeCatalogue() {
        const QString materials = m_directory.filePath(QStringLiteral("materials.csv"));
        const QString cores = m_directory.filePath(QStringLiteral("cores.csv"));
        QFile materialFile(materials);
        materialFile.open(QIODevice::WriteOnly);
        materialFile.write("Type,InitialPermeability,FluxDensity,Remanence,Density\n");
        for (int i = 0; i < kMaterials; ++i) {
            materialFile.write(QStringLiteral("M%1,%2,%3,%4,4.8\n")
                                   .arg(i)
                                   .arg(1200 + (i * 37) % 18000)
                                   .arg(450 + i % 80)
                                   .arg(80 + i % 90)
                                   .toUtf8());
        }
        materialFile.close();
        QFile coreFile(cores);
        coreFile.open(QIODevice::WriteOnly);
        coreFile.write("NAME,A,B,C,D,e,f,le,ae,Aw,AP,lW,FACTORY\n");
        const char* const families[] = {"EE", "ER", "PQ", "EFD", "UU", "TOR", "POT", "RM"};
        for (int i = 0; i < kCores; ++i) {
            const double ae = 5.0 + (i * 7919) % 900;
            const double aw = 10.0 + (i * 104729) % 700;
            coreFile.write(QStringLiteral("%1%2/%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,Bench\n")
                               .arg(QString::fromLatin1(families[i % 8]))
                               .arg(10 + i % 90)
                               .arg(i)
                               .arg(10 + i % 90)
                               .arg(5 + i % 40)
                               .arg(4 + i % 30)
                               .arg(3 + i % 20)
                               .arg(7 + i % 60)
                               .arg(2 + i % 25)
                               .arg(20 + i % 200)
                               .arg(ae)
                               .arg(aw)
                               .arg(ae * aw)
                               .arg(20 + i % 150)
                               .toUtf8());
        }
        coreFile.close();
        m_path = m_directory.filePath(QStringLiteral("large.db"));
        if (!kelvane::catalogue::importCatalogue(m_path, materials, cores)) {
            std::abort();  // no catalogue to time against
        }
    }

    [[nodiscard]] const QString& path() const { return m_path; }

private:
    QTemporaryDir m_directory;
    QString m_path;
};

const LargeCatalogue& catalogue() {
    static const LargeCatalogue large;
    return large;
}

struct OpenDesign {
    OpenDesign() : window(prompter, catalogue().path(), QString()) {
        window.open();
        window.click(QStringLiteral("Option1"));
    }
    kelvane::script::ScriptedPrompter prompter;
    kelvane::session::DesignSession window;
};

void typingInputPower(benchmark::State& state) {
    OpenDesign design;
    int i = 0;
    for (auto _ : state) {
        design.window.type(kelvane::design::Field::txtpint, QString::number(40 + i++ % 200));
    }
}
BENCHMARK(typingInputPower)->Unit(benchmark::kMillisecond);

void choosingMaterial(benchmark::State& state) {
    OpenDesign design;
    int i = 0;
    for (auto _ : state) {
        design.window.selectRecord(QStringLiteral("DBGrid1"), 1 + i++ % kMaterials);
    }
}
BENCHMARK(choosingMaterial)->Unit(benchmark::kMillisecond);

void typingCoreSearch(benchmark::State& state) {
    OpenDesign design;
    const QString texts[] = {QStringLiteral("E"),    QStringLiteral("EE"),  QStringLiteral("EE1"),
                             QStringLiteral("EE12"), QStringLiteral("EE1"), QStringLiteral("EE")};
    int i = 0;
    for (auto _ : state) {
        design.window.type(kelvane::design::Field::TXTCORE, texts[i++ % 6]);
    }
}
BENCHMARK(typingCoreSearch)->Unit(benchmark::kMillisecond);

// A design file of the largest table the format allows (10,000 rows with
// the heading row), made from a design the window saved.
QString largestDesignFile(kelvane::session::DesignSession& window, const QTemporaryDir& dir) {
    constexpr int kRows = 9999;
    const QString path = dir.filePath(QStringLiteral("outputs.dat"));
    window.saveDesign(path);
    QFile saved(path);
    saved.open(QIODevice::ReadOnly);
    QStringDecoder decoder("GBK");
    QStringList lines = QString(decoder.decode(saved.readAll())).split(QStringLiteral("\r\n"));
    saved.close();
    lines.removeLast();
    QStringList table;
    for (int row = 1; row <= kRows; ++row) {
        const int volts = 3 + row % 45;
        table << QString::number(row) << QString::number(volts) << QStringLiteral("0.5")
              << QStringLiteral("0.7") << QString::number(volts * 0.5);
    }
    QStringList record = lines.mid(0, 21) + table + lines.mid(lines.size() - 13);
    record[0] = QString::number(kRows + 1);
    QStringEncoder encoder("GBK");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(encoder.encode(record.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return path;
}

void openingLargestDesignFile(benchmark::State& state) {
    OpenDesign design;
    const QTemporaryDir dir;
    const QString path = largestDesignFile(design.window, dir);
    for (auto _ : state) {
        if (!design.window.openDesign(path)) {
            state.SkipWithError("the design file did not open");
            break;
        }
    }
}
BENCHMARK(openingLargestDesignFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
