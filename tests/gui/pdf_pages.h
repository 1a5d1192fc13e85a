// SPDX-License-Identifier: MIT
// Reading printed PDF files back with poppler's tools: the page count and the text of pages.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>

namespace nuvrel::test {

// Runs a poppler tool; nullopt when it is not installed or fails.
inline std::optional<QString> RunTool(const QString& tool, const QStringList& args) {
  const QString path = QStandardPaths::findExecutable(tool);
  if (path.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(path, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return std::nullopt;
  return QString::fromUtf8(process.readAllStandardOutput());
}

inline bool HavePoppler() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline int PdfPageCount(const QString& pdf) {
  const std::optional<QString> info = RunTool(QStringLiteral("pdfinfo"), {pdf});
  if (!info) return -1;
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(*info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of every page, in one run of pdftotext (it ends each page with a form feed).
inline QStringList PdfPageTexts(const QString& pdf) {
  QStringList pages =
      RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
          .value_or(QString())
          .split(QLatin1Char('\f'));
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

inline QString PdfText(const QString& pdf, int firstPage, int lastPage) {
  return RunTool(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(firstPage),
                  QStringLiteral("-l"), QString::number(lastPage), pdf, QStringLiteral("-")})
      .value_or(QString());
}

}  // namespace nuvrel::test
