#include "Xmllint.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

QString PainSchemaPath() {
    const QString published = QStringLiteral(VELORIN_PUBLISHED_PAIN_XSD);
    return !published.isEmpty() && QFile::exists(published) ? published : QStringLiteral(VELORIN_TREE_PAIN_XSD);
}

QString XmllintPainProblem(const QByteArray& xml) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("platby.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        return QStringLiteral("cannot write %1").arg(path);
    file.close();
    QProcess lint;
    lint.setProcessChannelMode(QProcess::MergedChannels);
    lint.start(QStringLiteral("xmllint"),
               {QStringLiteral("--noout"), QStringLiteral("--schema"), PainSchemaPath(), path});
    if (!lint.waitForFinished(30000))
        return QStringLiteral("xmllint did not run");
    const QString output = QString::fromUtf8(lint.readAll());
    return lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0 ? QString() : output;
}
