#include "ColExecuteList.h"

#include "common/NumberedError.h"

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("ColExecuteList");
}

std::shared_ptr<ClsExecuteItem> ColExecuteList::Add(const QString &ExecutePath, const QString &sKey)
{
    auto item = std::make_shared<ClsExecuteItem>(m_services);
    item->setPath(ExecutePath);
    if (!sKey.isEmpty())
        for (const Entry &e : m_items)
            if (e.key == sKey)
                throw NumberedError::Standard(ErrNo::DuplicateKey, kSource);
    m_items.push_back({sKey, item});
    return item;
}

std::shared_ptr<ClsExecuteItem> ColExecuteList::Item(qsizetype position) const
{
    if (position < 0 || position >= Count())
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    return m_items[static_cast<size_t>(position)].item;
}

std::shared_ptr<ClsExecuteItem> ColExecuteList::Item(const QString &key) const
{
    for (const Entry &e : m_items)
        if (!key.isEmpty() && e.key == key)
            return e.item;
    throw NumberedError::Standard(ErrNo::InvalidProcedureCall, kSource);
}

void ColExecuteList::Remove(qsizetype position)
{
    if (position < 0 || position >= Count())
        throw NumberedError::Standard(ErrNo::SubscriptOutOfRange, kSource);
    m_items.erase(m_items.begin() + position);
}

std::vector<NumberedError> ColExecuteList::Execute()
{
    std::vector<NumberedError> refused;
    const qsizetype n = Count();
    for (qsizetype i = 0; i < n; ++i) {
        const std::shared_ptr<ClsExecuteItem> item = Item(0);
        Remove(0);
        try {
            item->Execute();
        } catch (const NumberedError &e) {
            refused.push_back(e);
        }
    }
    return refused;
}

}  // namespace tolvane
