#include "platform/displaytext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vorelind {

namespace {

// Qt takes this name through ICU as code page 932, NEC and IBM extensions included.
constexpr char kShiftJis[] = "Shift_JIS";

} // namespace

QString toDisplayText(std::string_view sjis)
{
    QStringDecoder decoder(kShiftJis);
    return decoder.decode(QByteArrayView(sjis.data(), static_cast<qsizetype>(sjis.size())));
}

std::string fromDisplayText(const QString& text)
{
    QStringEncoder encoder(kShiftJis);
    std::string sjis;
    // Encoded one character at a time, because the encoder writes FC FC for
    // a character it cannot hold and only flags the error afterwards.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = encoder.encode(text.mid(i, length));
        if (encoder.hasError()) {
            encoder.resetState();
            sjis += '?';
        } else {
            sjis.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
        i += length - 1;
    }
    return sjis;
}

} // namespace vorelind
