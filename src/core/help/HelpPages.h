#pragma once

#include <QString>
#include <QStringList>

namespace brantel::help {

// What the help's pages hold, read from their HTML text. The pages are the
// program's own, in the restricted HTML that the help window shows: the
// readers below look for the few constructs the pages use, not for HTML at
// large.

// The text of <title>, blanks collapsed; "" when there is none.
QString PageTitle(const QString& html);
// The keywords of <meta name="keywords" content="a; b; ...">, trimmed, in
// their order; the empty ones dropped.
QStringList PageKeywords(const QString& html);
// The target of every <a href="..."> of the page, in order.
QStringList PageLinks(const QString& html);
// Every anchor the page defines: <a name="..."> and id="..." attributes.
QStringList PageAnchors(const QString& html);
// What lies between <body> and </body>; the whole text when there is no
// body element.
QString PageBody(const QString& html);
// Entities (&amp; &lt; &gt; &quot; &#39; &nbsp;) and tags taken out of a
// piece of the HTML text, blanks collapsed.
QString PlainText(const QString& html);

// The style sheet that the help window and the manual lay the pages out
// with.
QString PageStyleSheet();

}  // namespace brantel::help
