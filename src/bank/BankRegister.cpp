#include "bank/BankRegister.h"

#include "bank/CzechAccount.h"
#include "common/Cp1250.h"
#include "common/Error.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <map>
#include <optional>

static void initBankResources() {
    Q_INIT_RESOURCE(bank);
}

namespace {

bool IsBankCode(const QString& text) {
    return text.size() == 4 && AllAsciiDigits(text);
}

QString Unquoted(const QString& field) {
    const QString t = field.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        return t.mid(1, t.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\"")).trimmed();
    return t;
}

std::optional<BankInfo> ParseRow(const QString& line) {
    const QStringList fields = line.split(u';');
    if (fields.size() < 2)
        return std::nullopt;
    BankInfo bank;
    bank.Code = Unquoted(fields[0]);
    bank.Name = Unquoted(fields[1]);
    if (!IsBankCode(bank.Code) || bank.Name.isEmpty())
        return std::nullopt;
    if (fields.size() > 2)
        bank.Bic = Unquoted(fields[2]);
    if (fields.size() > 3)
        bank.Clearing = Unquoted(fields[3]).compare(QStringLiteral("A"), Qt::CaseInsensitive) == 0;
    return bank;
}

// Keyed by program folder; tests use several folders in one run.
std::map<QString, BankRegister>& Cache() {
    static std::map<QString, BankRegister> cache;
    return cache;
}

BankRegister ReadRegister(const QString& programFolder) {
    try {
        const BankList list = ParseBankList(TextFile::ReadBytes(UserBankListPath(programFolder), kMaxBankListBytes));
        if (!list.Banks.empty())
            return BankRegister(list.Banks);
    } catch (const TextFile::ReadError&) {
    }
    // A missing or spoilt list of the user's leaves the one the program came with.
    return BankRegister::BuiltIn();
}

} // namespace

QString DecodeBankListText(const QByteArray& bytes, bool* utf8) {
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    const bool isUtf8 = !decoder.hasError();
    if (utf8)
        *utf8 = isUtf8;
    if (!isUtf8)
        return Cp1250::Decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

BankList ParseBankList(const QByteArray& bytes) {
    BankList list;
    const QStringList lines = TextFile::SplitLines(DecodeBankListText(bytes, &list.Utf8));
    QHash<QString, bool> seen;
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.count(u';') == line.size())
            continue; // blank, or an empty row a spreadsheet wrote
        const std::optional<BankInfo> bank = ParseRow(line);
        const bool firstLine = !headerSeen;
        headerSeen = true;
        if (!bank) {
            if (!firstLine)
                list.BadLines << i + 1;
            continue;
        }
        if (seen.contains(bank->Code)) {
            list.BadLines << i + 1;
            continue;
        }
        seen.insert(bank->Code, true);
        list.Banks.push_back(*bank);
    }
    return list;
}

BankRegister::BankRegister(const std::vector<BankInfo>& banks) {
    for (const BankInfo& bank : banks) {
        m_banks.insert(bank.Code, bank);
        m_knowsClearing = m_knowsClearing || bank.Clearing;
    }
}

const BankRegister& BankRegister::BuiltIn() {
    static const BankRegister builtIn = [] {
        initBankResources();
        QFile file(QStringLiteral(":/bank/banks-cz.csv"));
        if (!file.open(QIODevice::ReadOnly))
            return BankRegister();
        return BankRegister(ParseBankList(file.readAll()).Banks);
    }();
    return builtIn;
}

const BankInfo* BankRegister::Find(const QString& code) const {
    const auto it = m_banks.constFind(code.trimmed());
    return it == m_banks.cend() ? nullptr : &it.value();
}

QString UserBankListPath(const QString& programFolder) {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("kody_bank_CR.csv");
}

const BankRegister& BanksFor(const QString& programFolder) {
    auto& cache = Cache();
    auto it = cache.find(programFolder);
    if (it == cache.end())
        it = cache.emplace(programFolder, ReadRegister(programFolder)).first;
    return it->second;
}

namespace {
[[noreturn]] void TooLarge(const QString& shown) {
    throw VelorinError(QStringLiteral("Soubor „%1“ není číselník bank: je příliš velký.\r\n"
                                      "Dosavadní číselník bank zůstává v platnosti.")
                           .arg(shown));
}
} // namespace

BankList InstallBankList(const QString& programFolder, const QString& fileName, const QByteArray& bytes) {
    const QString shown = QFileInfo(fileName).fileName();
    if (bytes.size() > kMaxBankListBytes)
        TooLarge(shown);
    BankList list = ParseBankList(bytes);
    if (list.Banks.empty())
        throw VelorinError(QStringLiteral("Soubor „%1“ není číselník bank: neobsahuje žádný řádek ve tvaru "
                                          "„kód;název banky;BIC;CERTIS“ se čtyřmístným kódem.\r\n"
                                          "Dosavadní číselník bank zůstává v platnosti.")
                               .arg(shown));
    TextFile::WriteBytes(UserBankListPath(programFolder), bytes);
    Cache().insert_or_assign(programFolder, BankRegister(list.Banks));
    return list;
}

BankList InstallBankListFile(const QString& programFolder, const QString& path) {
    QByteArray bytes;
    try {
        // Not read at all when it is far too large to be a bank list (a wrong file picked).
        bytes = TextFile::ReadBytes(path, kMaxBankListBytes);
    } catch (const TextFile::ReadError& e) {
        if (e.kind() == TextFile::ReadError::Kind::TooLarge)
            TooLarge(QFileInfo(path).fileName());
        throw VelorinError(
            QStringLiteral("Soubor %1 nelze přečíst: %2").arg(QDir::toNativeSeparators(path), e.reason()));
    }
    return InstallBankList(programFolder, path, bytes);
}
