// Builds the program's help from the pages of this folder, at build time:
//   - index.html, the keyword index, made from every page's keywords;
//   - help.qrc, the list of pages that rcc packs into the help file;
//   - the manual in PDF: a title page, the contents with page numbers, every
//     page in the order of the contents page, each on new paper, and the
//     keyword index with page numbers.
// The pages are the one source of both; nothing here is written by hand.
//
//   make_help PAGES_FOLDER WORK_FOLDER MANUAL_PDF VERSION
//
// It lays out text with Qt, so it runs on a platform plugin (the build runs
// it with QT_QPA_PLATFORM=offscreen).

#include "core/help/HelpPages.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace brantel::help;

const QString kIndexFile = QStringLiteral("index.html");
const QString kContentsFile = QStringLiteral("contents.html");

struct Page {
  QString file;
  QString title;
  QString html;
};

// A keyword of the index and the pages that give it.
struct Entry {
  QString keyword;
  QStringList files;
};

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

bool WriteText(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(text.toUtf8()) >= 0 && file.flush();
}

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

// Every keyword once (letter case aside), sorted, with its pages in page
// order.
std::vector<Entry> IndexEntries(const std::vector<Page>& pages) {
  QMap<QString, Entry> entries;
  for (const Page& page : pages) {
    for (const QString& keyword : PageKeywords(page.html)) {
      Entry& entry = entries[keyword.toCaseFolded()];
      if (entry.keyword.isEmpty()) entry.keyword = keyword;
      if (!entry.files.contains(page.file)) entry.files << page.file;
    }
  }
  return {entries.begin(), entries.end()};
}

// The letter a keyword is filed under, and the anchor of that letter.
QString Letter(const QString& keyword) { return keyword.left(1).toUpper(); }
QString LetterAnchor(const QString& letter) {
  const QChar c = letter.at(0);
  return (c >= u'A' && c <= u'Z') ? QString(c) : QStringLiteral("u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
}

// The index's body: a line of letters, then each letter's keywords with
// what `reference` makes of each of their pages.
QString IndexBody(const std::vector<Entry>& entries, const std::function<QString(const QString&)>& reference) {
  QStringList letters;
  for (const Entry& entry : entries) {
    if (!letters.contains(Letter(entry.keyword))) letters << Letter(entry.keyword);
  }
  QString html = QStringLiteral("<p>");
  for (const QString& letter : letters) {
    html += QStringLiteral("<a href=\"#%1\">%2</a> ").arg(LetterAnchor(letter), Escaped(letter));
  }
  html += QStringLiteral("</p>\n");
  QString current;
  for (const Entry& entry : entries) {
    if (Letter(entry.keyword) != current) {
      current = Letter(entry.keyword);
      html += QStringLiteral("<h2 id=\"%1\">%2</h2>\n").arg(LetterAnchor(current), Escaped(current));
    }
    QStringList references;
    for (const QString& file : entry.files) references << reference(file);
    html += QStringLiteral("<p style=\"margin-top:0; margin-bottom:2px\">%1: %2</p>\n")
                .arg(Escaped(entry.keyword), references.join(QStringLiteral(", ")));
  }
  return html;
}

QString HelpIndexPage(const std::vector<Page>& pages) {
  QMap<QString, QString> titles;
  for (const Page& page : pages) titles[page.file] = page.title;
  const QString body = IndexBody(IndexEntries(pages), [&](const QString& file) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(file, Escaped(titles[file]));
  });
  return QStringLiteral(
             "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>Index</title>\n</head><body>\n"
             "<h1>Index</h1>\n<p>The words to look up, with the pages that explain them. The "
             "<a href=\"contents.html\">contents</a> list the pages by menu.</p>\n") +
         body + QStringLiteral("</body></html>\n");
}

QString ResourceList(const std::vector<Page>& pages, const QString& pagesFolder, const QString& indexPath) {
  QString qrc = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
  for (const Page& page : pages) {
    qrc += QStringLiteral("  <file alias=\"%1\">%2</file>\n")
               .arg(page.file, QDir(pagesFolder).absoluteFilePath(page.file));
  }
  qrc += QStringLiteral("  <file alias=\"%1\">%2</file>\n").arg(kIndexFile, indexPath);
  return qrc + QStringLiteral("</qresource>\n</RCC>\n");
}

// ---------------------------------------------------------------- the manual

// The rows of the contents page in order: its h2 and h3 headings and the
// pages its links under them name (anchors dropped).
struct ContentsRow {
  int level;  // 2 or 3 for a heading, 0 for a page
  QString text;
  QString file;
};

std::vector<ContentsRow> ContentsRows(const QString& contents) {
  static const QRegularExpression row(
      QStringLiteral("<h([23])[^>]*>(.*?)</h\\1>|<a\\s[^>]*href=\"([^\"#]*)[^\"]*\"[^>]*>(.*?)</a>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  std::vector<ContentsRow> rows;
  for (const QRegularExpressionMatch& m : row.globalMatch(PageBody(contents))) {
    if (m.capturedLength(1) > 0) rows.push_back({m.captured(1).toInt(), PlainText(m.captured(2)), QString()});
    else if (!m.captured(3).isEmpty() && !rows.empty()) rows.push_back({0, PlainText(m.captured(4)), m.captured(3)});
  }
  return rows;
}

// A page's body as a chapter of the manual: on new paper, its links plain
// text (a PDF reader cannot follow them), a heading of its title when the
// page has none.
QString Chapter(const Page& page) {
  static const QRegularExpression link(
      QStringLiteral("<a\\s[^>]*href=\"[^\"]*\"[^>]*>(.*?)</a>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression h1(QStringLiteral("<h1\\b"), QRegularExpression::CaseInsensitiveOption);
  const QString newPaper = QStringLiteral("<h1 style=\"page-break-before: always\"");
  QString body = PageBody(page.html).replace(link, QStringLiteral("\\1"));
  if (h1.match(body).hasMatch()) return body.replace(h1.match(body).capturedStart(), 3, newPaper);
  return newPaper + u'>' + Escaped(page.title) + QStringLiteral("</h1>") + body;
}

class Manual {
 public:
  Manual(const std::vector<Page>& pages, const QString& contents, const QString& version)
      : contents_(ContentsRows(contents)), entries_(IndexEntries(pages)), version_(version) {
    // The chapters follow the contents; a page that the contents miss comes
    // last.
    for (const ContentsRow& row : contents_) {
      for (const Page& page : pages) {
        if (page.file == row.file && !Has(page.file)) chapters_.push_back(page);
      }
    }
    for (const Page& page : pages) {
      if (!Has(page.file) && page.file != kContentsFile) {
        std::fprintf(stderr, "make_help: %s is not in the contents\n", qPrintable(page.file));
        chapters_.push_back(page);
      }
    }
  }

  bool Write(const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("Brantel Help"));
    writer.setCreator(QStringLiteral("Brantel"));
    const QSizeF paper(writer.width(), writer.height());
    const qreal margin = 20.0 / 25.4 * writer.resolution();  // 20 mm
    // The layout takes lengths in the screen's pixels and scales them to the
    // paper's.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal screenDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const qreal layoutMargin = margin * screenDpi / writer.logicalDpiY();

    // Laid out twice: first to learn on which paper each chapter starts,
    // then with those numbers in the contents and the index (they fit the
    // room that the first layout left for them).
    QTextDocument document;
    Lay(document, writer, paper, layoutMargin);
    starts_ = ChapterStarts(document, paper.height());
    if (starts_.size() != chapters_.size()) {
      std::fprintf(stderr,
                   "make_help: a page breaks the paper itself (page-break-before); the manual cannot number it\n");
      return false;
    }
    Lay(document, writer, paper, layoutMargin);
    if (ChapterStarts(document, paper.height()) != starts_) {
      std::fprintf(stderr, "make_help: the page numbers moved between the two layouts\n");
      return false;
    }

    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QFont footer = document.defaultFont();
    footer.setPointSizeF(9);
    for (int sheet = 0; sheet < document.pageCount(); ++sheet) {
      if (sheet > 0) writer.newPage();
      painter.save();
      painter.translate(0, -sheet * paper.height());
      document.drawContents(&painter, QRectF(QPointF(0, sheet * paper.height()), paper));
      painter.restore();
      if (sheet > 0) {
        painter.setFont(footer);
        painter.drawText(QRectF(0, paper.height() - margin, paper.width(), margin / 2), Qt::AlignCenter,
                         QString::number(sheet + 1));
      }
    }
    return painter.end();
  }

 private:
  bool Has(const QString& file) const {
    for (const Page& page : chapters_) {
      if (page.file == file) return true;
    }
    return false;
  }

  // The paper number (from 1) on which a chapter starts; "000" before it is
  // known, to hold the room of the number.
  QString Start(const QString& file) const {
    for (std::size_t i = 0; i < chapters_.size() && i < starts_.size(); ++i) {
      if (chapters_[i].file == file) return QString::number(starts_[i]);
    }
    return QStringLiteral("000");
  }

  QString Html() const {
    QString html = QStringLiteral(
                       "<html><body>"
                       "<p align=\"center\" style=\"margin-top:220px; font-size:30pt\"><b>Brantel</b></p>"
                       "<p align=\"center\" style=\"font-size:15pt\">Rock mechanics calculations</p>"
                       "<p align=\"center\" style=\"margin-top:40px; font-size:13pt\">Help and manual, version %1</p>")
                       .arg(Escaped(version_));
    html += QStringLiteral("<h1 style=\"page-break-before: always\">Contents</h1>\n<table width=\"100%\">\n");
    for (const ContentsRow& row : contents_) {
      if (row.level == 2) {
        html += QStringLiteral("<tr><td colspan=\"2\" style=\"padding-top:10px\"><b>%1</b></td></tr>\n")
                    .arg(Escaped(row.text));
      } else if (row.level == 3) {
        html += QStringLiteral("<tr><td colspan=\"2\" style=\"padding-top:4px\"><i>%1</i></td></tr>\n")
                    .arg(Escaped(row.text));
      } else if (Has(row.file)) {
        html += QStringLiteral("<tr><td>&nbsp;&nbsp;&nbsp;%1</td><td align=\"right\">%2</td></tr>\n")
                    .arg(Escaped(row.text), Start(row.file));
      }
    }
    html += QStringLiteral("</table>\n");
    for (const Page& page : chapters_) html += Chapter(page);
    html += QStringLiteral("<h1 style=\"page-break-before: always\">Index</h1>\n") +
            IndexBody(entries_, [this](const QString& file) { return Start(file); });
    // The letters on top of the index are links too.
    static const QRegularExpression link(QStringLiteral("<a\\s[^>]*>(.*?)</a>"));
    return html.replace(link, QStringLiteral("\\1")) + QStringLiteral("</body></html>");
  }

  void Lay(QTextDocument& document, QPdfWriter& writer, const QSizeF& paper, qreal margin) const {
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setDefaultStyleSheet(PageStyleSheet());
    document.setHtml(Html());
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setMargin(margin);
    document.rootFrame()->setFrameFormat(frame);
    document.setPageSize(paper);
  }

  // The paper of each chapter's first block: the blocks that start on new
  // paper are the contents, the chapters in order and the index.
  std::vector<int> ChapterStarts(QTextDocument& document, qreal paperHeight) const {
    std::vector<int> starts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      if (!(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) continue;
      const qreal top = document.documentLayout()->blockBoundingRect(block).top();
      starts.push_back(static_cast<int>(top / paperHeight) + 1);
    }
    // Drop the contents and the index.
    if (starts.size() >= 2) starts = std::vector<int>(starts.begin() + 1, starts.end() - 1);
    return starts;
  }

  std::vector<ContentsRow> contents_;
  std::vector<Entry> entries_;
  std::vector<Page> chapters_;
  std::vector<int> starts_;
  QString version_;
};

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_help PAGES_FOLDER WORK_FOLDER MANUAL_PDF VERSION\n");
    return 2;
  }
  const QString pagesFolder = QString::fromLocal8Bit(argv[1]);
  const QString workFolder = QString::fromLocal8Bit(argv[2]);
  const QString manualPath = QString::fromLocal8Bit(argv[3]);
  const QString version = QString::fromLocal8Bit(argv[4]);

  std::vector<Page> pages;
  QString contents;
  for (const QString& file : QDir(pagesFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
    if (file == kIndexFile) continue;  // made here
    const QString html = ReadText(QDir(pagesFolder).filePath(file));
    if (html.isEmpty()) {
      std::fprintf(stderr, "make_help: cannot read %s\n", qPrintable(file));
      return 1;
    }
    if (file == kContentsFile) contents = html;
    pages.push_back({file, PageTitle(html), html});
  }
  if (contents.isEmpty()) {
    std::fprintf(stderr, "make_help: %s has no %s\n", qPrintable(pagesFolder), qPrintable(kContentsFile));
    return 1;
  }

  QDir().mkpath(workFolder);
  const QString indexPath = QDir(workFolder).absoluteFilePath(kIndexFile);
  if (!WriteText(indexPath, HelpIndexPage(pages)) ||
      !WriteText(QDir(workFolder).filePath(QStringLiteral("help.qrc")), ResourceList(pages, pagesFolder, indexPath))) {
    std::fprintf(stderr, "make_help: cannot write into %s\n", qPrintable(workFolder));
    return 1;
  }
  Manual manual(pages, contents, version);
  if (!manual.Write(manualPath)) {
    std::fprintf(stderr, "make_help: cannot write %s\n", qPrintable(manualPath));
    return 1;
  }
  return 0;
}
