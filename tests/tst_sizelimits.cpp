#include "document/documentpipeline.h"
#include "document/indentwalk.h"
#include "document/listing.h"
#include "document/sizelimits.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/machinememory.h"

#include <QTemporaryDir>
#include <QTest>

#include <string>

using namespace vorelind;

namespace {

std::string repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Stops a run once the file is accepted, before the rest of it is read.
class StopOnAcceptance : public DocumentSteps {
public:
    void accepted() override { throw AppError("accepted"); }
};

} // namespace

class TestSizeLimits : public QObject {
    Q_OBJECT

private slots:
    void nestingBombsStopWithinTheBudget_data();
    void nestingBombsStopWithinTheBudget();
    void listingAtTheBudgetPasses_data();
    void listingAtTheBudgetPasses();
    void budgetNeverPassesAnEighthOfTheMachine();
    void oversizedSourceIsRefusedBeforeLoading_data();
    void oversizedSourceIsRefusedBeforeLoading();
};

void TestSizeLimits::nestingBombsStopWithinTheBudget_data()
{
    QTest::addColumn<std::string>("source");

    // Each of these would need gigabytes: the listing grows with the square
    // of the nesting.
    QTest::newRow("300 KB of <a>") << repeated("<a>", 100000);
    QTest::newRow("300 KB of <") << std::string(300000, '<');
    // Each line of a pre block gets the depth: 100,000 lines at depth 3,000.
    QTest::newRow("lines of a deep pre block") << repeated("<a>", 3000) + "<pre>" + repeated("\r\nx", 100000);
}

void TestSizeLimits::nestingBombsStopWithinTheBudget()
{
    QFETCH(std::string, source);
    QCOMPARE(messageOf([&] { indentSource(source, ExcludedTags()); }),
             fromSjis(listingTooLargeMessage(listingBudget(source.size()))));
}

void TestSizeLimits::listingAtTheBudgetPasses_data()
{
    QTest::addColumn<std::string>("source");

    QTest::newRow("tags") << std::string("<a>b</a>");
    QTest::newRow("text only") << std::string("hello");
    QTest::newRow("pre block line") << std::string("<a><pre>x\ny");
    QTest::newRow("end tag") << std::string("<a><b></b>");
}

void TestSizeLimits::listingAtTheBudgetPasses()
{
    QFETCH(std::string, source);
    const std::string listing = indentSource(source, ExcludedTags());
    QCOMPARE(bytes(indentSourceWithin(source, ExcludedTags(), {}, listing.size())), bytes(listing));
    QCOMPARE(messageOf([&] { indentSourceWithin(source, ExcludedTags(), {}, listing.size() - 1); }),
             fromSjis(listingTooLargeMessage(listing.size() - 1)));
}

void TestSizeLimits::budgetNeverPassesAnEighthOfTheMachine()
{
    const std::uint64_t machine = physicalMemoryBytes();
    if (machine == 0)
        QSKIP("the system does not tell its memory");
    QCOMPARE(listingBudget(std::size_t(1) << 40), static_cast<std::size_t>(machine / 8));
}

void TestSizeLimits::oversizedSourceIsRefusedBeforeLoading_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("convertToShiftJis");
    QTest::addColumn<QString>("expected");

    const qint64 limit = static_cast<qint64>(kMaxSourceSize);
    const QString tooLarge = "ファイル big.htm は大きすぎるため処理できません";
    QTest::newRow("a byte over the limit") << limit + 1 << false << tooLarge;
    QTest::newRow("a byte over the limit, converted") << limit + 1 << true << tooLarge;
    QTest::newRow("at the limit") << limit << false << "accepted";
}

// The size limit comes before the file is taken, so a refused file leaves
// the caller as it was and is never read whole.
void TestSizeLimits::oversizedSourceIsRefusedBeforeLoading()
{
    QFETCH(qint64, size);
    QFETCH(bool, convertToShiftJis);
    QFETCH(QString, expected);
    const QTemporaryDir dir;
    const QString path = dir.filePath("big.htm");
    writeFile(path, "<p>");
    growFile(path, size);
    StopOnAcceptance steps;
    Listing listing;
    const DocumentRequest request{path.toStdString(), "big.htm", convertToShiftJis};
    QCOMPARE(messageOf([&] { runDocument(request, ExcludedTags(), steps, {}, listing); }), expected);
}

QTEST_APPLESS_MAIN(TestSizeLimits)
#include "tst_sizelimits.moc"
