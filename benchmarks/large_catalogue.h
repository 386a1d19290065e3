#pragma once

// An engineer-sized catalogue (20,000 cores and 500 materials) written as
// CSV and imported once for every benchmark of the run.
#include "engine/catalogue/csv_import.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>

namespace kelvane::benchmarks {

inline constexpr int kCores = 20000;
inline constexpr int kMaterials = 500;

// Writes the CSV sources and imports them once for every benchmark.
class LargeCatalogue {
public:
    LargeCatalogue() {
        const QString materials = m_directory.filePath(QStringLiteral("materials.csv"));
        const QString cores = m_directory.filePath(QStringLiteral("cores.csv"));
        QFile materialFile(materials);
        materialFile.open(QIODevice::WriteOnly);
        // Loss points at 100 ℃ as the power ferrites' data sheets give
        // them, so that the design check's core loss runs for every pair.
        materialFile.write(
            "Type,InitialPermeability,FluxDensity,Remanence,Density,"
            "PL 25kHz 200mT 100c,PL 100kHz 200mT 100c\n");
        for (int i = 0; i < kMaterials; ++i) {
            materialFile.write(QStringLiteral("M%1,%2,%3,%4,4.8,%5,%6\n")
                                   .arg(i)
                                   .arg(1200 + (i * 37) % 18000)
                                   .arg(450 + i % 80)
                                   .arg(80 + i % 90)
                                   .arg(50 + i % 40)
                                   .arg(300 + i % 200)
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

inline const LargeCatalogue& catalogue() {
    static const LargeCatalogue large;
    return large;
}

}  // namespace kelvane::benchmarks
