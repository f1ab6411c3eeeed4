#pragma once

#include <QByteArrayView>
#include <QString>

// What an interpreter that ended at once last said on its error output, fit
// for a message: its last few lines, without the notices that Wine, DOSBox
// and the sound library print on every run, good or bad.
namespace ErrorTail {

QString of(QByteArrayView output);

} // namespace ErrorTail
