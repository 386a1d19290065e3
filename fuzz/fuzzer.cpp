// One libFuzzer target; KELVANE_FUZZ_TARGET names the check it runs.
#include "fuzz_checks.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

kelvane::fuzz::Check check = nullptr;

// Qt's warnings (a refused catalogue, a missing picture) are expected for
// most inputs and would only slow the fuzzer down.
void dropMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(qPrintable(message), stderr);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static int qtArgc = 1;
    static QCoreApplication app(qtArgc, *argv);
    (void)argc;
    qInstallMessageHandler(dropMessages);
    check = kelvane::fuzz::checkNamed(QStringLiteral(KELVANE_FUZZ_TARGET));
    if (check == nullptr) {
        std::fputs("unknown fuzz target " KELVANE_FUZZ_TARGET "\n", stderr);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString failure =
        check(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fputs(qPrintable(QStringLiteral("property failed: %1\n").arg(failure)), stderr);
        std::abort();
    }
    return 0;
}
