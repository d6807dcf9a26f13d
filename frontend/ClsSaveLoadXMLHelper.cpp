#include "ClsSaveLoadXMLHelper.h"

#include "common/NumberedError.h"
#include "core/persistence/AtomicFile.h"

#include <QFile>

namespace tolvane {

namespace {
const QString kSource = QStringLiteral("ClsSaveLoadXMLHelper");
}

ClsSaveLoadXMLHelper::ClsSaveLoadXMLHelper() : m_doc(std::make_shared<QDomDocument>()) {}

ClsSaveLoadXMLHelper::ClsSaveLoadXMLHelper(std::shared_ptr<QDomDocument> doc, const QDomElement &node)
    : m_doc(std::move(doc)), m_node(node), m_set(true)
{
}

const QDomElement &ClsSaveLoadXMLHelper::Node() const
{
    if (!IsSet())
        throw NumberedError::Standard(ErrNo::ObjectNotSet, kSource);
    return m_node;
}

void ClsSaveLoadXMLHelper::CreateTopParameter(const QString &iParameterName)
{
    QDomElement root = m_doc->createElement(iParameterName);
    m_doc->appendChild(root);
    setXMLNode(root);
}

ClsSaveLoadXMLHelper ClsSaveLoadXMLHelper::AddChildParameter(const QString &iParameterName) const
{
    QDomElement parent = Node();
    QDomElement child = m_doc->createElement(iParameterName);
    parent.appendChild(child);
    return {m_doc, child};
}

ClsSaveLoadXMLHelper ClsSaveLoadXMLHelper::ChildParameter(const QString &iParameterName) const
{
    return {m_doc, Node().firstChildElement(iParameterName)};
}

ClsSaveLoadXMLHelper ClsSaveLoadXMLHelper::ParentNode() const
{
    return {m_doc, Node().parentNode().toElement()};
}

void ClsSaveLoadXMLHelper::setXMLNode(const QDomElement &node)
{
    if (m_set)
        return;
    m_node = node;
    m_set = true;
}

QString ClsSaveLoadXMLHelper::Name() const
{
    return Node().tagName();
}

QString ClsSaveLoadXMLHelper::Value() const
{
    const QDomNode first = Node().firstChild();
    return first.isText() ? first.nodeValue() : QString();
}

void ClsSaveLoadXMLHelper::setValue(const QString &iValue)
{
    QDomElement node = Node();
    QDomNode first = node.firstChild();
    if (first.isNull()) {
        node.appendChild(m_doc->createTextNode(iValue));
    } else if (first.isText()) {
        first.setNodeValue(iValue);
    } else {
        throw NumberedError(ErrNo::InvalidStatus,
                            QStringLiteral("一つのノードは子ノードを持つかデータを持つかどちらも持たないかのどちらかです"),
                            kSource);
    }
}

std::optional<ClsSaveLoadXMLHelper> ClsSaveLoadXMLHelper::ReadXML(const QString &iFilePath)
{
    QFile file(iFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    auto doc = std::make_shared<QDomDocument>();
    if (!doc->setContent(&file))
        return std::nullopt;
    m_doc = std::move(doc);
    setXMLNode(m_doc->documentElement());
    return *this;
}

void ClsSaveLoadXMLHelper::WriteXML(const QString &iFilePath) const
{
    // Indent -1: no line breaks or spaces between elements.
    WriteFileAtomically(iFilePath, m_doc->toByteArray(-1), kSource);
}

}  // namespace tolvane
