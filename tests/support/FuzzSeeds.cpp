// Runs a fuzz target's check over every seed file of its corpus with the normal
// compiler, so the targets build and their seeds pass in every ctest run.
#include <QDirIterator>
#include <QFile>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
#ifdef LUMINA_FUZZ_INITIALIZE
// Targets that need set-up (an application object) define this, as libFuzzer
// expects; the build tells which, since not every linker has weak symbols.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char **argv)
{
#ifdef LUMINA_FUZZ_INITIALIZE
    LLVMFuzzerInitialize(&argc, &argv);
#endif
    int seeds = 0;
    QDirIterator it(QStringLiteral(LUMINA_FUZZ_CORPUS), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        ++seeds;
    }
    std::printf("%d seed files of %s passed\n", seeds, LUMINA_FUZZ_CORPUS);
    return seeds > 0 ? 0 : 1;
}
