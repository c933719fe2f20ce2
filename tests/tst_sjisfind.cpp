#include "util/findmatches.h"
#include "util/sjisfind.h"
#include "testlines.h"

#include <QTest>

#include <set>

using namespace vorelind;

class TestSjisFind : public QObject {
    Q_OBJECT

private slots:
    void matching_data();
    void matching();
    void stepping_data();
    void stepping();
};

void TestSjisFind::matching_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("query");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<std::size_t>("startsBefore");
    QTest::addColumn<bool>("found");

    const std::size_t anywhere = std::string_view::npos;
    // 表 is 95 5C, ア 83 41, ヂ 83 61, 日本語 93 FA 96 7B 8C EA, ｱｲ B1 B2.
    QTest::newRow("second byte of 表 is no backslash") << std::string("\x95\x5c") << std::string("\\") << false
                                                       << anywhere << false;
    QTest::newRow("second byte of ア is no letter A") << std::string("\x83\x41") << std::string("a") << false
                                                       << anywhere << false;
    QTest::newRow("a match on a second byte is none") << std::string("\x95\x5c\x5c") << std::string("\\\\")
                                                      << false << anywhere << false;
    QTest::newRow("a character after a double-byte one starts a match")
        << std::string("\x95\x5c\\x") << std::string("\\x") << true << anywhere << true;
    QTest::newRow("double-byte characters pair up from the start of a run")
        << std::string("\x88\x95\x95\x5c") << std::string("\x95\x95") << false << anywhere << false;
    QTest::newRow("second bytes never fold: ア is not ヂ") << std::string("\x83\x61") << std::string("\x83\x41")
                                                          << false << anywhere << false;
    QTest::newRow("the query's second bytes never fold") << std::string("<p>\x83\x61") << std::string("\x83\x61")
                                                        << false << anywhere << true;
    QTest::newRow("letters fold without regard to case") << std::string("<TITLE>Top") << std::string("title")
                                                         << false << anywhere << true;
    QTest::newRow("case counts when asked") << std::string("<TITLE>Top") << std::string("title") << true
                                            << anywhere << false;
    QTest::newRow("Japanese") << std::string("<p>\x93\xfa\x96\x7b\x8c\xea") << std::string("\x96\x7b\x8c\xea")
                              << false << anywhere << true;
    QTest::newRow("half-width katakana are single bytes") << std::string("\xb1\xb2") << std::string("\xb2")
                                                          << false << anywhere << true;
    QTest::newRow("empty query matches nothing") << std::string("abc") << std::string() << false << anywhere
                                                 << false;
    QTest::newRow("query longer than the text") << std::string("ab") << std::string("abc") << false << anywhere
                                                << false;
    QTest::newRow("match at the very end") << std::string("abc") << std::string("bc") << false << anywhere << true;
    QTest::newRow("a match starting at the limit belongs to the next row")
        << std::string("abcdef") << std::string("de") << false << std::size_t(3) << false;
    QTest::newRow("a match starting before the limit runs on past it")
        << std::string("abcdef") << std::string("de") << false << std::size_t(4) << true;
}

void TestSjisFind::matching()
{
    QFETCH(std::string, text);
    QFETCH(std::string, query);
    QFETCH(bool, matchCase);
    QFETCH(std::size_t, startsBefore);
    QFETCH(bool, found);
    QCOMPARE(SjisFind(query, matchCase).isIn(text, startsBefore), found);
}

void TestSjisFind::stepping_data()
{
    QTest::addColumn<QList<int>>("matching");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected"); // -1: none

    const QList<int> matching{2, 5, 9};
    QTest::newRow("typing keeps a match that still matches") << matching << "at or after" << 5 << 5;
    QTest::newRow("typing goes on to the next match") << matching << "at or after" << 6 << 9;
    QTest::newRow("next goes on") << matching << "after" << 5 << 9;
    QTest::newRow("next wraps past the last") << matching << "after" << 9 << 2;
    QTest::newRow("previous goes back") << matching << "before" << 9 << 5;
    QTest::newRow("previous wraps before the first") << matching << "before" << 2 << 9;
    QTest::newRow("nothing matches") << QList<int>() << "after" << 0 << -1;
}

void TestSjisFind::stepping()
{
    QFETCH(QList<int>, matching);
    QFETCH(QString, step);
    QFETCH(int, from);
    QFETCH(int, expected);
    const std::set<std::size_t> items(matching.begin(), matching.end());
    const FindMatches matches(12, [&](std::size_t item) { return items.count(item) > 0; });
    const auto item = static_cast<std::size_t>(from);
    const std::optional<std::size_t> found =
        step == "after" ? matches.after(item) : step == "before" ? matches.before(item) : matches.atOrAfter(item);
    QCOMPARE(found ? static_cast<int>(*found) : -1, expected);
    QCOMPARE(matches.count(), static_cast<std::size_t>(matching.size()));
    if (found)
        QCOMPARE(matches.ordinal(*found), static_cast<std::size_t>(matching.indexOf(expected) + 1));
}

QTEST_APPLESS_MAIN(TestSjisFind)
#include "tst_sjisfind.moc"
