#pragma once

// The words of a PDF with their boxes, as poppler's pdftotext -bbox reads them:
// what a printed page really shows, read by a program we did not write.

#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <vector>

namespace test_support {

struct PdfWord {
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    QString text;
};

struct PdfPage {
    double width = 0;
    double height = 0;
    std::vector<PdfWord> words;

    bool has(const QString& text) const {
        for (const PdfWord& word : words) {
            if (word.text == text) {
                return true;
            }
        }
        return false;
    }
};

inline QString unescapeHtml(QString text) {
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

// Empty when pdftotext is missing or fails.
inline std::vector<PdfPage> readPdfWords(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageOrWord(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfPage> pages;
    for (auto it = pageOrWord.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (!match.captured(1).isEmpty()) {
            pages.push_back({match.captured(1).toDouble(), match.captured(2).toDouble(), {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back(
                {match.captured(3).toDouble(), match.captured(4).toDouble(),
                 match.captured(5).toDouble(), match.captured(6).toDouble(),
                 unescapeHtml(match.captured(7))});
        }
    }
    return pages;
}

}  // namespace test_support
