#include "invoice/Isdoc.h"

#include "bank/CzechAccount.h"
#include "bank/Iban.h"

#include <QXmlStreamReader>

namespace Isdoc {

namespace {

struct RawPayment {
    QString paidAmount, meansCode, dueDate, account, bankCode, iban, variable, constant, specific;
};

struct RawInvoice {
    QString number, supplier, localCurrency, foreignCurrency, payable;
    std::vector<RawPayment> payments;
};

// The texts the payments need, by their path below Invoice; everything else is skipped.
std::optional<QString> ReadRaw(const QByteArray& xml, RawInvoice& invoice) {
    QXmlStreamReader reader(xml);
    QStringList path;
    QString ns;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD)
            return QStringLiteral("Soubor obsahuje definici dokumentu (DTD), kterou faktura ISDOC nemá.");
        if (token == QXmlStreamReader::EndElement) {
            path.removeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (path.isEmpty()) {
            ns = reader.namespaceUri().toString();
            if (reader.name() != QLatin1String("Invoice") || (ns != kNamespace6 && ns != kNamespace5))
                return QStringLiteral("Soubor není faktura ISDOC (kořenový prvek je „%1“).")
                    .arg(reader.qualifiedName().toString());
        } else if (reader.namespaceUri() != ns) {
            reader.skipCurrentElement();
            continue;
        }
        path << reader.name().toString();
        const QString where = path.join(u'/');
        QString* target = nullptr;
        RawPayment* payment = invoice.payments.empty() ? nullptr : &invoice.payments.back();
        if (where == QLatin1String("Invoice/PaymentMeans/Payment")) {
            invoice.payments.emplace_back();
            continue;
        }
        static const QString kDetails = QStringLiteral("Invoice/PaymentMeans/Payment/Details/");
        if (where == QLatin1String("Invoice/ID"))
            target = &invoice.number;
        else if (where == QLatin1String("Invoice/AccountingSupplierParty/Party/PartyName/Name"))
            target = &invoice.supplier;
        else if (where == QLatin1String("Invoice/LocalCurrencyCode"))
            target = &invoice.localCurrency;
        else if (where == QLatin1String("Invoice/ForeignCurrencyCode"))
            target = &invoice.foreignCurrency;
        else if (where == QLatin1String("Invoice/LegalMonetaryTotal/PayableAmount"))
            target = &invoice.payable;
        else if (payment && where == QLatin1String("Invoice/PaymentMeans/Payment/PaidAmount"))
            target = &payment->paidAmount;
        else if (payment && where == QLatin1String("Invoice/PaymentMeans/Payment/PaymentMeansCode"))
            target = &payment->meansCode;
        else if (payment && where.startsWith(kDetails)) {
            const QStringView field = QStringView(where).mid(kDetails.size());
            if (field == QLatin1String("PaymentDueDate"))
                target = &payment->dueDate;
            else if (field == QLatin1String("ID"))
                target = &payment->account;
            else if (field == QLatin1String("BankCode"))
                target = &payment->bankCode;
            else if (field == QLatin1String("IBAN"))
                target = &payment->iban;
            else if (field == QLatin1String("VariableSymbol"))
                target = &payment->variable;
            else if (field == QLatin1String("ConstantSymbol"))
                target = &payment->constant;
            else if (field == QLatin1String("SpecificSymbol"))
                target = &payment->specific;
        }
        if (target) {
            *target = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            path.removeLast();
        }
    }
    if (reader.hasError())
        return QStringLiteral("Soubor není platné XML (řádek %1, sloupec %2: %3).")
            .arg(reader.lineNumber())
            .arg(reader.columnNumber())
            .arg(reader.errorString());
    if (ns.isEmpty())
        return QStringLiteral("Soubor není faktura ISDOC (neobsahuje žádný prvek XML).");
    return std::nullopt;
}

// Account and bank code from ID and BankCode, else from a Czech IBAN; why not, when neither works.
QString TakeAccount(const RawPayment& raw, OrderItem& item) {
    QString account = raw.account;
    account.remove(u' ');
    QString bankCode = raw.bankCode.trimmed();
    // Some issuers write the whole "number/bank" into ID.
    if (const qsizetype slash = account.indexOf(u'/'); slash >= 0) {
        if (bankCode.isEmpty())
            bankCode = account.mid(slash + 1);
        account.truncate(slash);
    }
    if (!account.isEmpty() && !bankCode.isEmpty() && ParseCzechAccount(account)) {
        item.Account = InvoiceText::Field(account);
        item.BankCode = InvoiceText::Field(bankCode);
        return {};
    }
    const QString iban = InvoiceText::Field(raw.iban).remove(u' ').toUpper();
    if (!iban.isEmpty()) {
        if (const std::optional<CzechIbanParts> parts = ParseCzechIban(iban)) {
            item.Account = parts->Account;
            item.BankCode = parts->BankCode;
            return {};
        }
        if (!iban.startsWith(QLatin1String("CZ")))
            return QStringLiteral("účet %1 není český; tuzemský příkaz platí jen na české účty").arg(iban);
        return QStringLiteral("IBAN %1 není platný").arg(iban);
    }
    if (!account.isEmpty())
        return QStringLiteral("účet „%1“ není české číslo účtu se směrovým kódem").arg(InvoiceText::Field(raw.account));
    return QStringLiteral("platba nemá číslo účtu");
}

} // namespace

InvoiceFindings Read(const QByteArray& xml, const QString& source) {
    InvoiceFindings found;
    if (xml.size() > kMaxXmlBytes) {
        found.Problem = QStringLiteral("Faktura ISDOC je větší než %1 MB.").arg(kMaxXmlBytes / (1024 * 1024));
        return found;
    }
    RawInvoice invoice;
    if (const std::optional<QString> problem = ReadRaw(xml, invoice)) {
        found.Problem = *problem;
        return found;
    }
    found.IsInvoice = true;
    std::vector<const RawPayment*> transfers;
    for (const RawPayment& p : invoice.payments)
        if (p.meansCode.trimmed() == QLatin1String("42"))
            transfers.push_back(&p);
    if (transfers.empty()) {
        found.Problem = invoice.payments.empty()
                            ? QStringLiteral("Faktura neuvádí žádnou platbu, a tedy ani platbu převodem na účet.")
                            : QStringLiteral("Faktura se neplatí převodem na účet (např. se platí hotově nebo "
                                             "kartou).");
        return found;
    }
    const std::optional<qint64> payable = InvoiceText::ParseHundredths(invoice.payable);
    // The amounts without "Curr" in their name are in the local currency.
    const QString currency = invoice.localCurrency.trimmed().toUpper();
    const QString comment = InvoiceText::Comment(invoice.number, invoice.supplier);
    bool somethingToPay = payable && *payable > 0;
    for (const RawPayment* raw : transfers)
        if (const std::optional<qint64> paid = InvoiceText::ParseHundredths(raw->paidAmount); paid && *paid > 0)
            somethingToPay = true;
    if (!somethingToPay) {
        found.Problem = QStringLiteral("Faktura nemá nic k zaplacení (částka k úhradě je nulová).");
        return found;
    }
    QStringList refused;
    for (const RawPayment* raw : transfers) {
        InvoicePayment payment;
        payment.Source = source;
        payment.Currency = InvoiceText::Field(currency);
        const std::optional<qint64> paid = InvoiceText::ParseHundredths(raw->paidAmount);
        std::optional<qint64> amount = paid;
        if (!paid || *paid == 0)
            amount = transfers.size() == 1 ? payable : std::nullopt;
        if (amount && *amount < 0) {
            refused << QStringLiteral("částka k úhradě je záporná (%1)").arg(InvoiceText::AmountText(*amount));
            continue;
        }
        if (amount && *amount == 0)
            continue;
        if (amount) {
            payment.Item.Amount = InvoiceText::AmountText(*amount);
        } else {
            payment.Notes << QStringLiteral("Faktura neuvádí částku této platby; doplňte ji.");
        }
        if (const QString problem = TakeAccount(*raw, payment.Item); !problem.isEmpty()) {
            refused << problem;
            continue;
        }
        payment.Item.VariableSymbol = InvoiceText::Field(raw->variable);
        payment.Item.ConstantSymbol = InvoiceText::Field(raw->constant);
        payment.Item.SpecificSymbol = InvoiceText::Field(raw->specific);
        payment.Item.Comment = comment;
        payment.DueDate = QDate::fromString(raw->dueDate, Qt::ISODate);
        if (!invoice.foreignCurrency.isEmpty())
            payment.Notes << QStringLiteral("Faktura je vystavena v cizí měně %1; částka je v měně %2.")
                                 .arg(InvoiceText::Field(invoice.foreignCurrency),
                                      InvoiceText::Field(invoice.localCurrency));
        found.Payments.push_back(std::move(payment));
    }
    if (found.Payments.empty())
        found.Problem =
            refused.isEmpty()
                ? QStringLiteral("Faktura nemá nic k zaplacení (částka k úhradě je nulová).")
                : QStringLiteral("Platbu z faktury nelze převzít: %1.").arg(refused.join(QStringLiteral("; ")));
    else if (!refused.isEmpty())
        found.Payments.front().Notes
            << QStringLiteral("Jiné platby faktury nelze převzít: %1.").arg(refused.join(QStringLiteral("; ")));
    return found;
}

} // namespace Isdoc
