#pragma once
// One XML element seen as a named "parameter": a text value or child parameters, never both.
// Wrappers are cheap handles; they share the document they were made from.

#include <QDomDocument>
#include <QDomElement>
#include <QString>

#include <memory>
#include <optional>

namespace tolvane {

class ClsSaveLoadXMLHelper {
public:
    ClsSaveLoadXMLHelper();

    // Makes a new root element of this wrapper's document and stands for it.
    void CreateTopParameter(const QString &iParameterName);
    // Appends a new last child element and returns a wrapper for it.
    ClsSaveLoadXMLHelper AddChildParameter(const QString &iParameterName) const;
    // The first child element of that name; a wrapper for nothing when there is none.
    ClsSaveLoadXMLHelper ChildParameter(const QString &iParameterName) const;
    ClsSaveLoadXMLHelper ParentNode() const;

    // Sets the element; the first set is kept, later ones are ignored. Using a wrapper that
    // stands for nothing throws error 91.
    void setXMLNode(const QDomElement &node);
    bool IsSet() const { return m_set && !m_node.isNull(); }

    QString Name() const;
    // The text of the first child when that is text, otherwise "".
    QString Value() const;
    // Throws 0x80040003 when the element already has child elements.
    void setValue(const QString &iValue);

    // Loads the file and stands for its root element; nothing when the file cannot be read as
    // XML.
    std::optional<ClsSaveLoadXMLHelper> ReadXML(const QString &iFilePath);
    // Replaces the file with the document (UTF-8, no declaration, no whitespace); the old file
    // stays whole when writing fails, which throws.
    void WriteXML(const QString &iFilePath) const;

private:
    ClsSaveLoadXMLHelper(std::shared_ptr<QDomDocument> doc, const QDomElement &node);
    const QDomElement &Node() const;

    std::shared_ptr<QDomDocument> m_doc;
    QDomElement m_node;
    bool m_set = false;
};

}  // namespace tolvane
