#pragma once

#include <QByteArrayView>
#include <QString>

namespace brisquel::messenger {

// Code page 850 bytes as text: one character for each byte, control bytes
// included (what to do with those is the reader's business).
QString decodeCp850(QByteArrayView bytes);

} // namespace brisquel::messenger
