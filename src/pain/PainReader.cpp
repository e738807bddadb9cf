#include "pain/PainReader.h"

#include "bank/Iban.h"
#include "common/CzechFormat.h"

#include <QFile>
#include <QRegularExpression>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>
#include <memory>

static void InitPainResources() {
    Q_INIT_RESOURCE(pain);
}

namespace {

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

// Our own documents only: no network, no entities from outside, no DTD loaded.
DocPtr ParseXml(const QByteArray& xml, QString& problem) {
    xmlResetLastError();
    DocPtr doc(xmlReadMemory(xml.constData(), int(xml.size()), nullptr, "UTF-8",
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc) {
        const xmlError* error = xmlGetLastError();
        problem = QStringLiteral("text není platné XML (řádek %1: %2)")
                      .arg(error ? error->line : 0)
                      .arg(error && error->message ? QString::fromUtf8(error->message).trimmed() : QString());
    }
    return doc;
}

xmlSchema* CompiledSchema() {
    static xmlSchema* const schema = [] {
        const QByteArray bytes = PainSchemaBytes();
        xmlSchemaParserCtxt* parser = xmlSchemaNewMemParserCtxt(bytes.constData(), int(bytes.size()));
        xmlSchema* parsed = parser ? xmlSchemaParse(parser) : nullptr;
        xmlSchemaFreeParserCtxt(parser);
        return parsed;
    }();
    return schema;
}

const xmlChar* Utf8(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

bool IsElement(const xmlNode* node, const char* name) {
    return node && node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, Utf8(name)) == 0;
}

const xmlNode* Child(const xmlNode* node, const char* name) {
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (IsElement(c, name))
            return c;
    return nullptr;
}

// The element at the path "a/b/c" below node.
const xmlNode* At(const xmlNode* node, const char* path) {
    for (const QByteArray& name : QByteArray(path).split('/'))
        node = Child(node, name.constData());
    return node;
}

QString Text(const xmlNode* node) {
    if (!node)
        return QString();
    xmlChar* content = xmlNodeGetContent(node);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(content));
    xmlFree(content);
    return text;
}

QString Attribute(const xmlNode* node, const char* name) {
    if (!node)
        return QString();
    xmlChar* value = xmlGetProp(node, Utf8(name));
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

std::optional<qint64> Halers(const QString& text) {
    static const QRegularExpression amount(QStringLiteral("^([0-9]{1,15})\\.([0-9]{2})$"));
    const QRegularExpressionMatch m = amount.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLongLong() * 100 + m.captured(2).toLongLong();
}

QString Quoted(const QString& text) {
    return QStringLiteral("„%1“").arg(text);
}

QString Instead(const QString& what, const QString& read, const QString& expected) {
    return QStringLiteral("%1 %2 místo %3").arg(what, read, expected);
}

QString ItemAt(int index, int row) {
    return QStringLiteral("položka %1 (řádek %2 příkazu)").arg(index + 1).arg(row + 1);
}

// The transaction that node lies in, counted from 0; -1 outside every transaction.
int TransactionOf(const xmlNode* node) {
    while (node && !IsElement(node, "CdtTrfTxInf"))
        node = node->parent;
    if (!node)
        return -1;
    int index = 0;
    for (const xmlNode* s = node->prev; s; s = s->prev)
        index += IsElement(s, "CdtTrfTxInf") ? 1 : 0;
    return index;
}

struct FirstError {
    QString message;
    int line = 0;
    int transaction = -1;
};

void KeepFirstError(void* data, xmlError* error) {
    auto* first = static_cast<FirstError*>(data);
    if (!first->message.isEmpty() || !error)
        return;
    QString message = QString::fromUtf8(error->message ? error->message : "").trimmed();
    message.remove(QStringLiteral("{%1}").arg(QLatin1String(kPainNamespace)));
    first->message = message.isEmpty() ? QStringLiteral("neznámá chyba") : message;
    first->line = error->line;
    first->transaction = TransactionOf(static_cast<const xmlNode*>(error->node));
}

} // namespace

QByteArray PainSchemaBytes() {
    InitPainResources();
    QFile file(QStringLiteral(":/pain/pain.001.001.03.xsd"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PainSchemaProblem(const QByteArray& xml, const QList<int>& rows) {
    const QString prefix = QStringLiteral("Soubor XML neodpovídá schématu pain.001.001.03: ");
    xmlSchema* schema = CompiledSchema();
    if (!schema)
        return prefix + QStringLiteral("schéma v programu nelze načíst");
    QString parseProblem;
    const DocPtr doc = ParseXml(xml, parseProblem);
    if (!doc)
        return prefix + parseProblem;
    FirstError first;
    xmlSchemaValidCtxt* context = xmlSchemaNewValidCtxt(schema);
    xmlSchemaSetValidStructuredErrors(context, KeepFirstError, &first);
    const int result = xmlSchemaValidateDoc(context, doc.get());
    xmlSchemaFreeValidCtxt(context);
    if (result == 0)
        return QString();
    QString where = QStringLiteral("řádek %1").arg(first.line);
    if (first.transaction >= 0)
        where += QStringLiteral(", ") + (first.transaction < rows.size()
                                             ? ItemAt(first.transaction, rows[first.transaction])
                                             : QStringLiteral("položka %1").arg(first.transaction + 1));
    return prefix + where + QStringLiteral(": ") +
           (first.message.isEmpty() ? QStringLiteral("neznámá chyba") : first.message);
}

PainReadResult ReadPainDocument(const QByteArray& xml) {
    PainReadResult result;
    const DocPtr doc = ParseXml(xml, result.problem);
    if (!doc)
        return result;
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!IsElement(root, "Document") || !root->ns || xmlStrcmp(root->ns->href, Utf8(kPainNamespace)) != 0) {
        result.problem = QStringLiteral("dokument není pain.001.001.03");
        return result;
    }
    const xmlNode* message = Child(root, "CstmrCdtTrfInitn");
    const xmlNode* header = Child(message, "GrpHdr");
    const xmlNode* payment = Child(message, "PmtInf");
    PainReadFile& f = result.file;
    f.msgId = Text(Child(header, "MsgId"));
    f.numberOfTransactions = Text(Child(header, "NbOfTxs"));
    const std::optional<qint64> sum = Halers(Text(Child(header, "CtrlSum")));
    f.due = QDate::fromString(Text(Child(payment, "ReqdExctnDt")), QStringLiteral("yyyy-MM-dd"));
    f.debtorIban = Text(At(payment, "DbtrAcct/Id/IBAN"));
    if (!sum || !f.due.isValid()) {
        result.problem =
            !sum ? QStringLiteral("kontrolní součet „%1“ nemá tvar částky").arg(Text(Child(header, "CtrlSum")))
                 : QStringLiteral("datum splatnosti chybí");
        return result;
    }
    f.controlSum = *sum;
    for (const xmlNode* c = payment ? payment->children : nullptr; c; c = c->next) {
        if (!IsElement(c, "CdtTrfTxInf"))
            continue;
        PainReadTransfer t;
        t.endToEndId = Text(At(c, "PmtId/EndToEndId"));
        const xmlNode* amount = At(c, "Amt/InstdAmt");
        const std::optional<qint64> halers = Halers(Text(amount));
        if (!halers) {
            result.problem = QStringLiteral("položka %1: částka „%2“ nemá tvar částky")
                                 .arg(f.transfers.size() + 1)
                                 .arg(Text(amount));
            return result;
        }
        t.halers = *halers;
        t.currency = Attribute(amount, "Ccy");
        t.creditorIban = Text(At(c, "CdtrAcct/Id/IBAN"));
        const xmlNode* remittance = Child(c, "RmtInf");
        t.message = Text(Child(remittance, "Ustrd"));
        for (const xmlNode* r = remittance ? remittance->children : nullptr; r; r = r->next)
            if (IsElement(r, "Strd"))
                t.references << Text(At(r, "CdtrRefInf/Ref"));
        f.transfers << t;
    }
    return result;
}

QString PainOrderDifference(const PainReadFile& file, const PaymentOrder& order, const Settings& settings,
                            PainProfile profile) {
    QList<int> rows;
    for (int row = 0; row < kItemCount; ++row)
        if (IsPainItem(order.Items[std::size_t(row)]))
            rows << row;
    if (file.numberOfTransactions != QString::number(file.transfers.size()))
        return Instead(QStringLiteral("počet transakcí"), Quoted(file.numberOfTransactions),
                       QString::number(file.transfers.size()));
    qint64 sum = 0;
    for (const PainReadTransfer& t : file.transfers)
        sum += t.halers;
    if (file.controlSum != sum)
        return Instead(QStringLiteral("kontrolní součet"), PainAmountText(file.controlSum), PainAmountText(sum));
    if (file.transfers.size() != rows.size())
        return QStringLiteral("položek je %1, v příkazu %2").arg(file.transfers.size()).arg(rows.size());
    const QString payerIban = CzechIban(settings.CisloUctu.trimmed(), settings.SmerovyKod.trimmed());
    if (file.debtorIban != payerIban)
        return Instead(QStringLiteral("účet plátce"), file.debtorIban, payerIban);
    const std::optional<QDate> due = CzechFormat::ParseDate(order.OrderDate);
    if (!due || file.due != *due)
        return Instead(QStringLiteral("datum splatnosti"), CzechFormat::FormatDate(file.due), order.OrderDate);

    const QString currency = PainCurrency(profile);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const OrderItem& item = order.Items[std::size_t(rows[i])];
        const PainReadTransfer& t = file.transfers[i];
        const std::optional<CzechIbanParts> account = ParseCzechIban(t.creditorIban);
        // As the writer's IBAN gives the account back: leading zeros and a zero prefix dropped.
        const std::optional<CzechIbanParts> written =
            ParseCzechIban(CzechIban(item.Account.trimmed(), item.BankCode.trimmed()));
        const QString expectedAccount = written ? written->Account + QLatin1Char('/') + written->BankCode
                                                : item.Account.trimmed() + QLatin1Char('/') + item.BankCode.trimmed();
        const QString readAccount = account ? account->Account + QLatin1Char('/') + account->BankCode : t.creditorIban;
        const qint64 halers = CzechFormat::ParseHalers(item.Amount).value_or(-1);
        QStringList references;
        for (const PainText& r : PainReferences(item, profile))
            references << r.text;
        const QString message = PainFieldText(item.Comment, kMax140, profile).text;
        QString what;
        if (readAccount != expectedAccount)
            what = Instead(QStringLiteral("účet příjemce"), readAccount, expectedAccount);
        else if (t.halers != halers)
            what = Instead(QStringLiteral("částka"), PainAmountText(t.halers), PainAmountText(halers));
        else if (t.currency != currency)
            what = Instead(QStringLiteral("měna"), t.currency, currency);
        else if (t.endToEndId != PainEndToEndId(item, profile).text)
            what = Instead(QStringLiteral("identifikace platby"), Quoted(t.endToEndId),
                           Quoted(PainEndToEndId(item, profile).text));
        else if (t.references != references)
            what = Instead(QStringLiteral("symboly"), Quoted(t.references.join(QLatin1Char(' '))),
                           Quoted(references.join(QLatin1Char(' '))));
        else if (t.message != message)
            what = Instead(QStringLiteral("zpráva pro příjemce"), Quoted(t.message), Quoted(message));
        if (!what.isEmpty())
            return ItemAt(int(i), rows[i]) + QStringLiteral(": ") + what;
    }
    return QString();
}

QString CheckPainDocument(const PainDocument& document, const PaymentOrder& order, const Settings& settings,
                          PainProfile profile) {
    if (QString problem = PainSchemaProblem(document.xml, document.rows); !problem.isEmpty())
        return problem;
    const PainReadResult read = ReadPainDocument(document.xml);
    const QString difference = read.ok() ? PainOrderDifference(read.file, order, settings, profile) : read.problem;
    return difference.isEmpty() ? QString() : QStringLiteral("Soubor XML neodpovídá příkazu: %1").arg(difference);
}
