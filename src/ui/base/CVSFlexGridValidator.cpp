#include "ui/base/CVSFlexGridValidator.h"

#include "base/CellGridMask.h"
#include "base/TextCodec.h"

CVSFlexGridValidator::CVSFlexGridValidator(std::string mask, int maxBytes, QObject* parent)
    : QValidator(parent), m_mask(std::move(mask)), m_maxBytes(maxBytes) {
}

QValidator::State CVSFlexGridValidator::validate(QString& input, int& /*pos*/) const {
    const QByteArray utf8 = input.toUtf8();
    const auto cp932 =
        textcodec::utf8ToCp932Strict(std::string_view(utf8.constData(), utf8.size()));
    if (!cp932) {
        return Invalid;
    }
    if (m_maxBytes > 0 && cp932->size() > static_cast<std::size_t>(m_maxBytes)) {
        return Invalid;
    }
    if (!m_mask.empty() && !gridmask::fits(m_mask, *cp932)) {
        return Invalid;
    }
    return Acceptable;
}
