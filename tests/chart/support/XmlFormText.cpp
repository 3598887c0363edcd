#include "tests/chart/support/XmlFormText.h"

#include <QString>
#include <QXmlStreamReader>

#include <stdexcept>
#include <vector>

namespace {

struct TNode {
    QString Name;
    QString Value;
    bool HasValue = false;
    QString ObjectName;
    bool HasObjectName = false;
    std::vector<TNode> Children;
};

TNode readNode(QXmlStreamReader& xml)
{
    TNode node;
    node.Name = xml.name().toString();
    const auto attributes = xml.attributes();
    node.HasValue = attributes.hasAttribute("value");
    node.Value = attributes.value("value").toString();
    node.HasObjectName = attributes.hasAttribute("Name");
    node.ObjectName = attributes.value("Name").toString();
    while (xml.readNextStartElement()) node.Children.push_back(readNode(xml));
    return node;
}

void writeObject(const TNode& node, std::string& out);

bool childrenNamed(const TNode& node, const char* name)
{
    if (node.Children.empty()) return false;
    for (const TNode& child : node.Children)
        if (child.Name != QLatin1String(name)) return false;
    return true;
}

void writeProperty(const TNode& node, std::string& out)
{
    const std::string name = node.Name.toStdString();
    if (node.HasObjectName) {
        writeObject(node, out);
    } else if (node.HasValue) {
        out += name + " = " + (node.Value.isEmpty() ? std::string("<>") : node.Value.toStdString()) + "\n";
    } else if (childrenNamed(node, "String")) {
        out += name + " = (\n";
        for (const TNode& item : node.Children) out += item.Value.toStdString() + "\n";
        out += ")\n";
    } else if (childrenNamed(node, "item")) {
        out += name + " = <\n";
        for (const TNode& item : node.Children) {
            out += "item\n";
            for (const TNode& property : item.Children) writeProperty(property, out);
            out += "end\n";
        }
        out += ">\n";
    } else {
        for (const TNode& child : node.Children) writeProperty(child, out);  // a path element
    }
}

void writeObject(const TNode& node, std::string& out)
{
    out += "object ";
    if (node.HasObjectName && !node.ObjectName.isEmpty()) out += node.ObjectName.toStdString() + ": ";
    out += node.Name.toStdString() + "\n";
    for (const TNode& child : node.Children) writeProperty(child, out);
    out += "end\n";
}

}  // namespace

std::string XmlFormToText(const std::string& text)
{
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    if (!xml.readNextStartElement()) throw std::runtime_error("no element: " + xml.errorString().toStdString());
    const TNode root = readNode(xml);
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) throw std::runtime_error("not well-formed: " + xml.errorString().toStdString());
    std::string out;
    writeObject(root, out);
    return out;
}
