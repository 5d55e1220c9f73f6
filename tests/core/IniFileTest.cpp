#include "core/IniFile.h"
#include "support/IniValues.h"
#include "support/TestEnvironment.h"

#include <QDir>

namespace brantel {
namespace {

using test::CoreTest;

class IniFileTest : public CoreTest {};

TEST_F(IniFileTest, NamesMatchWithoutCaseAndValuesAreTrimmed) {
  const auto doc = IniDocument::FromText(QStringLiteral(
      "[Settings]\r\n  MaxDisplaySize =  8000  \r\nquoted=\"C:/a b/\"\r\n[settings]\r\nMaxDisplaySize=1\r\n"));
  EXPECT_EQ(doc.Value(QStringLiteral("SETTINGS"), QStringLiteral("maxdisplaysize")), QStringLiteral("8000"));
  EXPECT_EQ(doc.Value(QStringLiteral("Settings"), QStringLiteral("quoted")), QStringLiteral("C:/a b/"));
  EXPECT_FALSE(doc.Value(QStringLiteral("Settings"), QStringLiteral("Missing")).has_value());
  EXPECT_FALSE(doc.Value(QStringLiteral("Nowhere"), QStringLiteral("MaxDisplaySize")).has_value());
}

TEST_F(IniFileTest, WritesInPlaceAtSectionEndAndAtFileEnd) {
  auto doc = IniDocument::FromText(QStringLiteral("; kept comment\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n"));
  doc.SetValue(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("10"));
  doc.SetValue(QStringLiteral("A"), QStringLiteral("new"), QStringLiteral("n"));
  doc.SetValue(QStringLiteral("C"), QStringLiteral("k"), QStringLiteral("v"));
  EXPECT_EQ(QString::fromUtf8(doc.ToBytes()),
            QStringLiteral("; kept comment\r\n[A]\r\nX=10\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n"
                           "\r\n[C]\r\nk=v\r\n"));
}

TEST_F(IniFileTest, AValueStaysOnOneLine) {
  IniDocument doc;
  doc.SetValue(QStringLiteral("S"), QStringLiteral("Path"), QStringLiteral("a\r\n[Evil]\nk=v"));
  EXPECT_EQ(doc.Lines().size(), 2);
  EXPECT_FALSE(doc.Value(QStringLiteral("Evil"), QStringLiteral("k")).has_value());
}

TEST_F(IniFileTest, MissingFileReadsAsMissingKeysAndWriteCreatesIt) {
  const QString path = Home() + QStringLiteral("/new.ini");
  EXPECT_EQ(ReadIniValue(QStringLiteral("S"), QStringLiteral("K"), path), QString());
  EXPECT_EQ(ReadIniValue(QStringLiteral("S"), QStringLiteral("K"), path, QStringLiteral("Notepad.exe")),
            QStringLiteral("Notepad.exe"));
  EXPECT_NE(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), path), 0);
  EXPECT_EQ(ReadFile(path), QByteArray("[S]\r\nK=v\r\n"));
  // An empty value counts as missing when a default is given.
  WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QString(), path);
  EXPECT_EQ(ReadIniValue(QStringLiteral("S"), QStringLiteral("K"), path, QStringLiteral("1")), QStringLiteral("1"));
}

TEST_F(IniFileTest, LongValuesAreReadWhole) {
  const QString path = Home() + QStringLiteral("/long.ini");
  const QString value = QStringLiteral("/very/long/path/") + QString(300, u'x');
  ASSERT_NE(WriteIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFileLong1"), value, path), 0);
  EXPECT_EQ(ReadIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFileLong1"), path), value);
}

TEST_F(IniFileTest, ReadsGreekCodePageLfOnlyAndByteOrderMark) {
  // "Αρχείο" in Windows-1253, lines ended by LF only.
  const QString cp =
      WriteFile(Home() + QStringLiteral("/cp.ini"), QByteArray("[FileMenu]\nLastFile1=\xC1\xF1\xF7\xE5\xDF\xEF.BNL\n"));
  EXPECT_EQ(ReadIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFile1"), cp), QStringLiteral("Αρχείο.BNL"));
  const QString bom = WriteFile(Home() + QStringLiteral("/bom.ini"), QByteArray("\xEF\xBB\xBF[S]\rK=\xCE\xB1\r"));
  EXPECT_EQ(ReadIniValue(QStringLiteral("S"), QStringLiteral("K"), bom), QStringLiteral("α"));
}

TEST_F(IniFileTest, ByteOrderMarksBeforeALineKeepTheirMeaningWhenWrittenBack) {
  // An editor that put three marks before the first section header, or
  // two before a line inside: the header counts, and a file written back
  // reads as the same document.
  const QByteArray mark("\xEF\xBB\xBF");
  const QByteArray options("[BrantelOptions]\r\nEnglishMenus=0\r\n");
  for (const QByteArray& bytes : {mark + options, mark + mark + mark + options, "[A]\r\n" + mark + mark + options}) {
    IniDocument doc = IniDocument::FromBytes(bytes);
    EXPECT_EQ(doc.Value(QStringLiteral("BrantelOptions"), QStringLiteral("EnglishMenus")), QStringLiteral("0"));
    doc.SetValue(QStringLiteral("Settings"), QStringLiteral("DefaultUnits"), QStringLiteral("1"));
    for (int rewrite = 0; rewrite < 3; ++rewrite) {
      const IniDocument again = IniDocument::FromBytes(doc.ToBytes());
      EXPECT_EQ(again.Lines(), doc.Lines());
      doc = again;
    }
    EXPECT_EQ(doc.Value(QStringLiteral("BrantelOptions"), QStringLiteral("EnglishMenus")), QStringLiteral("0"));
  }
}

TEST_F(IniFileTest, OneLineInTheOldCodePageSpoilsNoOtherLine) {
  // UTF-8 Greek paths, one line with a byte that is not UTF-8 (read in
  // Windows-1253, where 0xE9 is "ι"), and a line that a stray byte spoils.
  const QString path =
      WriteFile(Home() + QStringLiteral("/mixed.ini"),
                QByteArray("[FileMenu]\r\nLastFileLong1=/\xCE\xAD\xCF\x81\xCE\xB3\xCE\xB1/\xCE\xA0.BNL\r\n"
                           "Note=caf\xE9\r\n"
                           "LastFileLong2=/\xCE\xB1\xFF.BNL\r\n"));
  const auto value = [&path](const char* key) {
    return ReadIniValue(QStringLiteral("FileMenu"), QString::fromLatin1(key), path);
  };
  EXPECT_EQ(value("LastFileLong1"), QStringLiteral("/έργα/Π.BNL"));
  EXPECT_EQ(value("Note"), QStringLiteral("cafι"));
  EXPECT_EQ(value("LastFileLong2"), QStringLiteral("/Ξ±\uFFFD.BNL"));  // that line alone in the old code page

  // Written back, every line is UTF-8 and the Greek path reads as before.
  ASSERT_NE(WriteIniValue(QStringLiteral("FileMenu"), QStringLiteral("MaxLastFiles"), QStringLiteral("2"), path), 0);
  EXPECT_EQ(value("LastFileLong1"), QStringLiteral("/έργα/Π.BNL"));
  EXPECT_EQ(value("Note"), QStringLiteral("cafι"));
  EXPECT_TRUE(ReadFile(path).contains("Note=caf\xCE\xB9\r\n"));
}

TEST_F(IniFileTest, EveryValueReadsBackAsItWasWritten) {
  // Blanks at either end and quotes around a value would be taken off by
  // the reader: such a value is written in quotes of its own.
  const QString path = Home() + QStringLiteral("/values.ini");
  const QString values[] = {QStringLiteral("plain"),
                            QStringLiteral("  blanks around  "),
                            QStringLiteral("\"quoted\""),
                            QStringLiteral("'single'"),
                            QStringLiteral("\"\""),
                            QStringLiteral("\""),
                            QStringLiteral("in \"the\" middle"),
                            QString()};
  for (const QString& value : values) {
    ASSERT_NE(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), value, path), 0);
    EXPECT_EQ(ReadIniValue(QStringLiteral("S"), QStringLiteral("K"), path), value) << value.toStdString();
  }
  ASSERT_NE(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("plain"), path), 0);
  EXPECT_EQ(ReadFile(path), QByteArray("[S]\r\nK=plain\r\n"));  // nothing changes for the usual values
}

TEST_F(IniFileTest, FailedWriteLeavesNothingBehind) {
  const QString missingFolder = Home() + QStringLiteral("/no/such/folder/x.ini");
  EXPECT_EQ(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), missingFolder), 0);

  // A folder where the file should be.
  const QString folder = Home() + QStringLiteral("/dir.ini");
  QDir().mkpath(folder);
  EXPECT_EQ(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), folder), 0);

  // A good write leaves no temporary file beside the target.
  const QString good = Home() + QStringLiteral("/good.ini");
  ASSERT_NE(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), good), 0);
  ASSERT_NE(WriteIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("w"), good), 0);
  const QStringList entries = QDir(Home()).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(entries, QStringList{QStringLiteral("good.ini")});
}

}  // namespace
}  // namespace brantel
