#include "host/PilvCpr70.h"

#include "host/data/Dataset.h"

#include <QStringList>

namespace {
QList<host::HookCall>& calls()
{
    static QList<host::HookCall> list;
    return list;
}

bool recording = false;
}  // namespace

bool ZelDevVerificarEvento(host::data::Dataset* dataset, const QString& evento)
{
    if (recording)
        calls().append({dataset ? dataset->name() : QString(), evento});
    return true;
}

void host::recordHookCalls(bool on) { recording = on; }

const QList<host::HookCall>& host::hookCalls() { return calls(); }

void host::clearHookCalls() { calls().clear(); }

QStringList host::hookCallTexts()
{
    QStringList texts;
    for (const HookCall& call : calls())
        texts << call.dataset + ":" + call.event;
    return texts;
}
