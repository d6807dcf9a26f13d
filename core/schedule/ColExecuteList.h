#pragma once
// The queue of external programs waiting to start; Execute starts them in the order they
// were added and empties the queue.

#include "common/NumberedError.h"
#include "core/schedule/ClsExecuteItem.h"

#include <QString>

#include <memory>
#include <vector>

namespace tolvane {

class ColExecuteList {
public:
    explicit ColExecuteList(std::shared_ptr<const CoreServices> services) : m_services(std::move(services)) {}

    // A missing file throws 53 and adds nothing. An empty key adds the item without a key.
    std::shared_ptr<ClsExecuteItem> Add(const QString &ExecutePath, const QString &sKey);
    std::shared_ptr<ClsExecuteItem> Item(qsizetype position) const;
    std::shared_ptr<ClsExecuteItem> Item(const QString &key) const;
    qsizetype Count() const { return static_cast<qsizetype>(m_items.size()); }
    void Remove(qsizetype position);

    // Starts every queued item in turn and empties the queue. A start the system refuses is
    // dropped like the others (trying it again would only fail again, and hold up the programs
    // after it); its error is returned, one per refused item.
    std::vector<NumberedError> Execute();

private:
    struct Entry {
        QString key;
        std::shared_ptr<ClsExecuteItem> item;
    };
    std::shared_ptr<const CoreServices> m_services;
    std::vector<Entry> m_items;
};

}  // namespace tolvane
