#pragma once

#include <QByteArray>
#include <QString>

// The published pain.001.001.03 schema when it lies beside the checkout, else the tree's copy.
QString PainSchemaPath();
// xmllint --noout --schema of the pain.001 schema over the bytes: its complaint, or an empty text
// when the document validates.
QString XmllintPainProblem(const QByteArray& xml);
