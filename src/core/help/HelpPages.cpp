#include "core/help/HelpPages.h"

#include <QRegularExpression>

namespace brantel::help {
namespace {

constexpr auto kOptions = QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

QStringList AllCaptures(const QString& html, const QRegularExpression& pattern) {
  QStringList found;
  for (const QRegularExpressionMatch& match : pattern.globalMatch(html)) found << match.captured(1);
  return found;
}

}  // namespace

QString PlainText(const QString& html) {
  static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
  QString text = QString(html).remove(tags);
  text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
      .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
      .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
      .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
      .replace(QStringLiteral("&#39;"), QStringLiteral("'"))
      .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return text.simplified();
}

QString PageTitle(const QString& html) {
  static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"), kOptions);
  return PlainText(title.match(html).captured(1));
}

QStringList PageKeywords(const QString& html) {
  static const QRegularExpression meta(
      QStringLiteral("<meta\\s+name\\s*=\\s*\"keywords\"\\s+content\\s*=\\s*\"([^\"]*)\""), kOptions);
  QStringList keywords;
  for (const QString& keyword : meta.match(html).captured(1).split(u';')) {
    const QString plain = PlainText(keyword);
    if (!plain.isEmpty()) keywords << plain;
  }
  return keywords;
}

QStringList PageLinks(const QString& html) {
  static const QRegularExpression href(QStringLiteral("<a\\s[^>]*\\bhref\\s*=\\s*\"([^\"]*)\""), kOptions);
  return AllCaptures(html, href);
}

QStringList PageAnchors(const QString& html) {
  static const QRegularExpression name(QStringLiteral("<a\\s[^>]*\\bname\\s*=\\s*\"([^\"]*)\""), kOptions);
  static const QRegularExpression id(QStringLiteral("<[a-z0-9]+\\s[^>]*\\bid\\s*=\\s*\"([^\"]*)\""), kOptions);
  return AllCaptures(html, name) + AllCaptures(html, id);
}

QString PageBody(const QString& html) {
  static const QRegularExpression body(QStringLiteral("<body[^>]*>(.*)</body>"), kOptions);
  const QRegularExpressionMatch match = body.match(html);
  return match.hasMatch() ? match.captured(1) : html;
}

QString PageStyleSheet() {
  return QStringLiteral(
      "table { border-collapse: collapse; border-color: #909090; }"
      "th { background-color: #e6eaf0; }"
      "h1 { color: #1c3464; }"
      "h2, h3 { color: #1c3464; }");
}

}  // namespace brantel::help
