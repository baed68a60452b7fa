#include "settings/vb_xml.h"

#include "text/atomic_file.h"
#include "settings/xml_names.h"

#include "text/code_page.h"
#include "text/number_text.h"
#include "text/text_decoding.h"
#include "text/text_paths.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <span>
#include <new>
#include <system_error>

namespace quillmoth {
namespace {

// Whitespace, line ends, comments and processing instructions are kept as
// they are, so that saving after a change rewrites nothing else.
constexpr unsigned kParseOptions = (pugi::parse_default | pugi::parse_pi | pugi::parse_comments |
                                    pugi::parse_declaration | pugi::parse_doctype |
                                    pugi::parse_ws_pcdata) &
                                   ~(pugi::parse_eol | pugi::parse_wconv_attribute);

constexpr unsigned kFormatOptions =
    pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags;

class StringWriter final : public pugi::xml_writer {
public:
    void write(const void *data, size_t size) override
    {
        bytes.append(static_cast<const char *>(data), size);
    }
    std::string bytes;
};

// Valid UTF-8 is read as UTF-8 whatever the declaration says, because that
// is how every save writes it; anything else (a byte-order mark, UTF-16, a
// declared Latin-1 file) is left to the parser's detection.
pugi::xml_encoding fileEncoding(std::string_view bytes)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
    const bool hasNul = bytes.find('\0') != std::string_view::npos;
    const bool utf8 = IsUTF8Bytes(std::span(data, bytes.size())) == 2 ||
                      std::all_of(bytes.begin(), bytes.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return utf8 && !hasNul ? pugi::encoding_utf8 : pugi::encoding_auto;
}

// Whether the markup opens with a declaration of an encoding other than UTF-8.
bool declaresOtherEncoding(std::string_view markup)
{
    if (!markup.starts_with("<?xml"))
        return false;
    const std::string_view declaration = markup.substr(0, markup.find("?>"));
    const std::size_t name = declaration.find("encoding");
    if (name == std::string_view::npos)
        return false;
    const std::size_t quote = declaration.find_first_of("\"'", name);
    if (quote == std::string_view::npos)
        return false;
    const std::size_t close = declaration.find(declaration[quote], quote + 1);
    std::string value(declaration.substr(quote + 1, close - quote - 1));
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return value != "utf-8" && value != "utf8";
}

std::u16string inQuotes(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

XmlResult<pugi::xpath_node> select(const pugi::xml_document &document, std::u16string_view xpath)
{
    using Result = XmlResult<pugi::xpath_node>;
    const pugi::xml_node root = document.document_element();
    if (!root)
        return Result::failure(u"the document has no root element");
    if (xpath.find(u'\0') != std::u16string_view::npos)
        return Result::failure(u"the XPath " + inQuotes(xpath) + u" contains a NUL character");
    try {
        const pugi::xpath_query query(utf8FromUtf16(xpath).c_str());
        const pugi::xpath_node node = query.evaluate_node(root);
        if (!node)
            return Result::failure(u"the XPath " + inQuotes(xpath) + u" selects no node");
        return node;
    } catch (const pugi::xpath_exception &error) {
        return Result::failure(u"the XPath " + inQuotes(xpath) + u" is not valid: " +
                               utf16FromUtf8(error.what()));
    } catch (const std::bad_alloc &) {
        return Result::failure(u"out of memory evaluating the XPath " + inQuotes(xpath));
    }
}

// The text content of a node: an element's is all the text below it.
std::string textOf(const pugi::xpath_node &selected)
{
    if (selected.attribute())
        return selected.attribute().value();
    const pugi::xml_node start = selected.node();
    if (start.type() != pugi::node_element && start.type() != pugi::node_document)
        return start.value();
    // Walked without recursion, so that deep documents cannot exhaust the stack.
    std::string text;
    pugi::xml_node node = start.first_child();
    while (node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            text += node.value();
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != start && !node.next_sibling())
            node = node.parent();
        if (!node || node == start)
            break;
        node = node.next_sibling();
    }
    return text;
}

XmlStatus setTextOf(const pugi::xpath_node &selected, std::u16string_view text)
{
    // A NUL cannot be stored in the document's text; it ends the value.
    const std::string utf8 = utf8FromUtf16(text.substr(0, text.find(u'\0')));
    if (pugi::xml_attribute attribute = selected.attribute()) {
        attribute.set_value(utf8.c_str());
        return std::monostate{};
    }
    pugi::xml_node node = selected.node();
    switch (node.type()) {
    case pugi::node_element:
        while (node.first_child())
            node.remove_child(node.first_child());
        if (!utf8.empty())
            node.append_child(pugi::node_pcdata).set_value(utf8.c_str());
        return std::monostate{};
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
        node.set_value(utf8.c_str());
        return std::monostate{};
    default:
        return XmlStatus::failure(u"the text of this node cannot be set");
    }
}

std::u16string nameOf(const pugi::xpath_node &selected)
{
    if (selected.attribute())
        return utf16FromUtf8(selected.attribute().name());
    switch (selected.node().type()) {
    case pugi::node_pcdata:
        return u"#text";
    case pugi::node_cdata:
        return u"#cdata-section";
    case pugi::node_comment:
        return u"#comment";
    case pugi::node_document:
        return u"#document";
    default:
        return utf16FromUtf8(selected.node().name());
    }
}

std::string markupOf(const pugi::xml_node &node)
{
    StringWriter writer;
    node.print(writer, "", kFormatOptions, pugi::encoding_utf8);
    return writer.bytes;
}

// The document's markup. Top-level nodes (declaration, comments, the root)
// are put on lines of their own, in the line-end style of the document.
std::string documentMarkup(const pugi::xml_document &document)
{
    std::string rootMarkup;
    if (document.document_element())
        rootMarkup = markupOf(document.document_element());
    const char *lineEnd = rootMarkup.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string markup;
    for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
        if (node == document.document_element()) {
            markup += rootMarkup;
        } else if (node.type() == pugi::node_declaration && node.attribute("encoding")) {
            // The file is always written in UTF-8; a declaration naming another
            // encoding would make the next load misread every non-ASCII text.
            pugi::xml_document scratch;
            pugi::xml_node declaration = scratch.append_copy(node);
            declaration.attribute("encoding").set_value("UTF-8");
            markup += markupOf(declaration);
        } else {
            markup += markupOf(node);
        }
        markup += lineEnd;
    }
    return markup;
}

XmlResult<pugi::xml_node> element(const pugi::xml_document &document, std::u16string_view xpath)
{
    using Result = XmlResult<pugi::xml_node>;
    const auto selected = select(document, xpath);
    if (!selected)
        return Result::failure(selected.error());
    if (selected.value().attribute() || selected.value().node().type() != pugi::node_element)
        return Result::failure(u"the XPath " + inQuotes(xpath) + u" selects no element");
    return selected.value().node();
}

XmlResult<pugi::xml_node> child(const pugi::xml_document &document, std::u16string_view xpath,
                                std::int16_t index)
{
    using Result = XmlResult<pugi::xml_node>;
    const auto selected = select(document, xpath);
    if (!selected)
        return Result::failure(selected.error());
    if (index >= 0 && !selected.value().attribute()) {
        std::int16_t position = 0;
        for (pugi::xml_node node = selected.value().node().first_child(); node;
             node = node.next_sibling(), ++position) {
            if (position == index)
                return node;
        }
    }
    return Result::failure(u"child " + text::formatInteger(index) + u" of " + inQuotes(xpath) +
                           u" does not exist");
}

XmlStatus setAttribute(pugi::xml_node node, std::u16string_view name, const XmlValue &value)
{
    if (node.type() != pugi::node_element)
        return XmlStatus::failure(u"only elements have attributes");
    if (!settings::isXmlName(name))
        return XmlStatus::failure(inQuotes(name) + u" is not a valid attribute name");
    const std::string utf8Name = utf8FromUtf16(name);
    pugi::xml_attribute attribute = node.attribute(utf8Name.c_str());
    if (!attribute)
        attribute = node.append_attribute(utf8Name.c_str());
    const std::u16string &text = value.text();
    attribute.set_value(utf8FromUtf16(std::u16string_view(text).substr(0, text.find(u'\0'))).c_str());
    return std::monostate{};
}

} // namespace

XmlValue::XmlValue(double value) : m_text(text::formatNumber(value)) {}

std::u16string XmlValue::integerText(std::int64_t value) { return text::formatInteger(value); }

struct vbXML::Private {
    pugi::xml_document document;
    TextHandler traceHandler;
    TextHandler messageHandler;
    std::function<void()> pendingEventsHandler;
};

vbXML::vbXML() : m_d(std::make_unique<Private>()) {}

vbXML::~vbXML() = default;

void vbXML::setTraceHandler(TextHandler handler) { m_d->traceHandler = std::move(handler); }

void vbXML::setMessageHandler(TextHandler handler) { m_d->messageHandler = std::move(handler); }

void vbXML::setPendingEventsHandler(std::function<void()> handler)
{
    m_d->pendingEventsHandler = std::move(handler);
}

void vbXML::trace(std::u16string_view text) const
{
    if (m_d->traceHandler)
        m_d->traceHandler(text);
}

XmlResult<std::u16string> vbXML::XMLDocumentInfo(int which) const
{
    static constexpr const char *kNames[] = {"version", "encoding", "standalone"};
    if (which < 0 || which > 2)
        return std::u16string();
    const pugi::xml_node first = m_d->document.first_child();
    if (!first)
        return XmlResult<std::u16string>::failure(u"the document is empty");
    const pugi::xml_attribute attribute = first.attribute(kNames[which]);
    if (!attribute)
        return XmlResult<std::u16string>::failure(u"the first node has no attribute " +
                                                  utf16FromUtf8(kNames[which]));
    return utf16FromUtf8(attribute.value());
}

bool vbXML::OpenXML(std::u16string_view source, std::int16_t mode)
{
    if (mode == 0)
        return loadFile(text::pathFromText(source));
    if (mode != 1)
        return false;
    return parse(utf8FromUtf16(source), pugi::encoding_utf8);
}

bool vbXML::loadFile(const std::filesystem::path &path)
{
    std::error_code error;
    // Only regular files: a pipe or a device would block or never end.
    if (std::filesystem::is_regular_file(path, error)) {
        std::ifstream file(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), {});
        if (file.good() || file.eof()) {
            const pugi::xml_encoding encoding = fileEncoding(bytes);
            return parse(std::move(bytes), encoding);
        }
    }
    m_d->document.reset();
    return false;
}

bool vbXML::parse(std::string bytes, int encoding)
{
    try {
        const pugi::xml_parse_result result = m_d->document.load_buffer(
            bytes.data(), bytes.size(), kParseOptions, pugi::xml_encoding(encoding));
        if (result)
            return true;
        trace(u" Err in   OpenXML: " + utf16FromUtf8(result.description()));
    } catch (const std::bad_alloc &) {
        trace(u" Err in   OpenXML: out of memory");
    }
    // A failed load leaves an empty document, never a part of the text.
    m_d->document.reset();
    return false;
}

void vbXML::CloseXML() {}

std::u16string vbXML::ReadNodeText(std::u16string_view xpath) const
{
    const auto selected = select(m_d->document, xpath);
    if (!selected) {
        trace(u"ReadNodeText Err:" + selected.error());
        return {};
    }
    return utf16FromUtf8(textOf(selected.value()));
}

std::u16string vbXML::ReadNodeName(std::u16string_view xpath) const
{
    const auto selected = select(m_d->document, xpath);
    if (!selected) {
        trace(u"ReadNodeText Err:" + selected.error());
        return {};
    }
    return nameOf(selected.value());
}

XmlResult<std::u16string> vbXML::ReadNodeXML(std::u16string_view xpath) const
{
    const auto selected = select(m_d->document, xpath);
    if (!selected)
        return XmlResult<std::u16string>::failure(selected.error());
    if (const pugi::xml_attribute attribute = selected.value().attribute()) {
        pugi::xml_document scratch;
        pugi::xml_node holder = scratch.append_child("a");
        holder.append_copy(attribute);
        const std::string markup = markupOf(holder);  // <a name="value"></a>
        const std::size_t start = markup.find(' ') + 1;
        return utf16FromUtf8(markup.substr(start, markup.rfind("></a>") - start));
    }
    if (selected.value().node().type() == pugi::node_document)
        return xml();
    return utf16FromUtf8(markupOf(selected.value().node()));
}

std::u16string vbXML::xml() const { return utf16FromUtf8(documentMarkup(m_d->document)); }

XmlStatus vbXML::WriteNode(std::u16string_view xpath, const XmlValue &value)
{
    const auto selected = select(m_d->document, xpath);
    if (!selected)
        return XmlStatus::failure(selected.error());
    return setTextOf(selected.value(), value.text());
}

std::u16string vbXML::ReadAttribute(std::u16string_view xpath, std::u16string_view name) const
{
    std::u16string description;
    if (const auto node = element(m_d->document, xpath); !node) {
        description = node.error();
    } else {
        const pugi::xml_attribute attribute = node.value().attribute(utf8FromUtf16(name).c_str());
        if (attribute && !name.empty())
            return utf16FromUtf8(attribute.value());
        description = u"the element has no attribute " + inQuotes(name);
    }
    if (m_d->messageHandler)
        m_d->messageHandler(u"ReadAttribute Err: " + description);
    return {};
}

void vbXML::WriteAttribute(std::u16string_view xpath, std::u16string_view name,
                           const XmlValue &value)
{
    const auto selected = select(m_d->document, xpath);
    XmlStatus status = selected ? XmlStatus(std::monostate{}) : XmlStatus::failure(selected.error());
    if (status && selected.value().attribute())
        status = XmlStatus::failure(u"an attribute has no attributes");
    if (status)
        status = setAttribute(selected.value().node(), name, value);
    if (!status)
        trace(u"WriteAttribute err: " + status.error());
}

void vbXML::WriteChildAttribute(std::u16string_view xpath, std::u16string_view name,
                                const XmlValue &value, std::int16_t index)
{
    const auto node = child(m_d->document, xpath, index);
    const XmlStatus status =
        node ? setAttribute(node.value(), name, value) : XmlStatus::failure(node.error());
    if (!status)
        trace(u"WriteAttribute err: " + status.error());
}

std::int32_t vbXML::NodeCount(std::u16string_view xpath) const
{
    const auto selected = select(m_d->document, xpath);
    if (!selected) {
        trace(u"Err: " + selected.error());
        return 0;
    }
    std::int32_t count = 0;
    if (!selected.value().attribute()) {
        for (pugi::xml_node node = selected.value().node().first_child(); node;
             node = node.next_sibling())
            ++count;
    }
    return count;
}

XmlStatus vbXML::Save(std::u16string_view fileName) const
{
    return saveFile(text::pathFromText(fileName));
}

XmlStatus vbXML::saveFile(const std::filesystem::path &path) const
{
    std::string error;
    if (path.empty())
        return XmlStatus::failure(u"no file name to save to");
    // A stray byte that another program left in the file goes back as it came,
    // so that a write changes only what it was asked to change; unless the
    // file declares another encoding, which would read it differently next
    // time: then it is written as U+FFFD, and the file is valid UTF-8.
    std::string markup = documentMarkup(m_d->document);
    if (fileEncoding(markup) != pugi::encoding_utf8 && declaresOtherEncoding(markup))
        markup = utf8FromUtf16(utf16FromUtf8(markup));
    if (!writeFileAtomically(path, markup, &error))
        return XmlStatus::failure(utf16FromUtf8(error));
    return std::monostate{};
}

XmlStatus vbXML::DeleteNode(std::u16string_view xpath)
{
    const auto selected = select(m_d->document, xpath);
    if (!selected)
        return XmlStatus::failure(selected.error());
    if (selected.value().attribute())
        return XmlStatus::failure(u"an attribute is not a child of any node");
    pugi::xml_node node = selected.value().node();
    pugi::xml_node parent = node.parent();
    if (!parent)
        return XmlStatus::failure(u"the node has no parent");
    parent.remove_child(node);
    return std::monostate{};
}

void vbXML::MakeSECTION(std::u16string_view parentXPath, std::u16string_view name)
{
    if (!settings::isXmlName(name)) {
        trace(u"Err: " + inQuotes(name) + u" is not a valid element name");
        return;
    }
    const auto parent = element(m_d->document, parentXPath);
    if (!parent) {
        trace(u"Err: " + parent.error());
        return;
    }
    pugi::xml_node target = parent.value();
    target.append_child(utf8FromUtf16(name).c_str());
}

void vbXML::MakeNode(std::u16string_view parentXPath, std::u16string_view name,
                     const XmlValue &text, bool indent,
                     const std::array<XmlAttributePair, 6> &attributes)
{
    // Everything is checked first, so that a failure leaves the document as it was.
    auto parent = element(m_d->document, parentXPath);
    if (!parent) {
        trace(u"Err: " + parent.error());
        return;
    }
    if (!settings::isXmlName(name)) {
        trace(u"Err: " + inQuotes(name) + u" is not a valid element name");
        return;
    }
    for (const XmlAttributePair &pair : attributes) {
        if (!pair.name.empty() && !settings::isXmlName(pair.name)) {
            trace(u"Err: " + inQuotes(pair.name) + u" is not a valid attribute name");
            return;
        }
    }

    pugi::xml_node target = parent.value();
    if (indent)
        target.append_child(pugi::node_pcdata).set_value("\r\n    ");
    pugi::xml_node created = target.append_child(utf8FromUtf16(name).c_str());
    setTextOf(pugi::xpath_node(created), text.text());
    for (const XmlAttributePair &pair : attributes) {
        if (!pair.name.empty())
            setAttribute(created, pair.name, pair.value);
    }
    target.append_child(pugi::node_pcdata).set_value("\r\n        ");
}

XmlStatus vbXML::DeleteAttribute(std::u16string_view xpath, std::u16string_view name)
{
    const auto node = element(m_d->document, xpath);
    if (!node)
        return XmlStatus::failure(node.error());
    pugi::xml_node target = node.value();
    if (!name.empty())
        target.remove_attribute(utf8FromUtf16(name).c_str());
    return std::monostate{};
}

XmlResult<std::int32_t> vbXML::GetColorValue(std::u16string_view xpath) const
{
    using Result = XmlResult<std::int32_t>;
    const auto selected = select(m_d->document, xpath);
    if (!selected)
        return Result::failure(selected.error());
    const std::u16string text = utf16FromUtf8(textOf(selected.value()));
    std::u16string_view parts[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        if (start > text.size())
            return Result::failure(u"the colour " + inQuotes(text) + u" has fewer than three parts");
        const std::size_t end = text.find(u", ", start);
        parts[i] = std::u16string_view(text).substr(start, end == std::u16string::npos
                                                               ? std::u16string::npos
                                                               : end - start);
        start = end == std::u16string::npos ? text.size() + 1 : end + 2;
    }
    parts[0] = parts[0].substr(std::min<std::size_t>(1, parts[0].size()));
    parts[2] = parts[2].substr(0, parts[2].empty() ? 0 : parts[2].size() - 1);

    std::int32_t colour = 0;
    std::int32_t factor = 1;
    for (const std::u16string_view part : parts) {
        const std::optional<std::int32_t> component =
            text::roundToInt32(text::leadingNumber(part));
        if (!component)
            return Result::failure(u"a component of the colour " + inQuotes(text) +
                                   u" is out of range");
        if (*component < 0)
            return Result::failure(u"a component of the colour " + inQuotes(text) +
                                   u" is negative");
        colour += std::min(*component, 255) * factor;
        factor *= 256;
    }
    return colour;
}

XmlStatus vbXML::SetColorValue(std::u16string_view xpath, std::int16_t red, std::int16_t green,
                               std::int16_t blue)
{
    using text::formatInteger;
    return WriteNode(xpath, u"(" + formatInteger(red) + u", " + formatInteger(green) + u", " +
                                formatInteger(blue) + u")");
}

std::u16string vbXML::GetChildValue(std::u16string_view xpath, std::int16_t index) const
{
    if (m_d->pendingEventsHandler)
        m_d->pendingEventsHandler();
    const auto node = child(m_d->document, xpath, index);
    if (!node) {
        trace(u"GetChildValue err: " + node.error());
        return {};
    }
    return utf16FromUtf8(textOf(pugi::xpath_node(node.value())));
}

std::u16string vbXML::GetChildAttribute(std::u16string_view xpath, std::int16_t index,
                                        std::u16string_view name) const
{
    const auto node = child(m_d->document, xpath, index);
    if (!node) {
        trace(u"Err: " + node.error());
        return {};
    }
    return utf16FromUtf8(node.value().attribute(utf8FromUtf16(name).c_str()).value());
}

XmlResult<std::u16string> vbXML::GetChildName(std::u16string_view xpath, std::int16_t index) const
{
    const auto node = child(m_d->document, xpath, index);
    if (!node)
        return XmlResult<std::u16string>::failure(node.error());
    return nameOf(pugi::xpath_node(node.value()));
}

void vbXML::WriteChildNodeByID(std::u16string_view xpath, std::u16string_view id,
                               std::u16string_view value)
{
    const std::u16string path =
        std::u16string(xpath) + u"/Item[@ID=\"" + std::u16string(id) + u"\"]";
    const auto selected = select(m_d->document, path);
    const XmlStatus status =
        selected ? setTextOf(selected.value(), value) : XmlStatus::failure(selected.error());
    if (!status)
        trace(u"Err: " + status.error());
}

XmlStatus vbXML::appendRootElement(std::u16string_view name, std::u16string_view text)
{
    pugi::xml_node root = m_d->document.document_element();
    if (!root)
        return XmlStatus::failure(u"the document has no root element");
    if (!settings::isXmlName(name))
        return XmlStatus::failure(inQuotes(name) + u" is not a valid element name");

    // The whitespace before the first element is the indentation to copy.
    std::string indentation;
    for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element)
            break;
        if (node.type() == pugi::node_pcdata)
            indentation = node.value();
    }
    if (indentation.find_first_not_of(" \t\r\n") != std::string::npos)
        indentation.clear();

    pugi::xml_node closing = root.last_child();
    const bool closingIsWhitespace =
        closing.type() == pugi::node_pcdata &&
        std::string_view(closing.value()).find_first_not_of(" \t\r\n") == std::string_view::npos;
    pugi::xml_node created;
    if (closingIsWhitespace) {
        if (!indentation.empty())
            root.insert_child_before(pugi::node_pcdata, closing).set_value(indentation.c_str());
        created = root.insert_child_before(utf8FromUtf16(name).c_str(), closing);
    } else {
        if (!indentation.empty())
            root.append_child(pugi::node_pcdata).set_value(indentation.c_str());
        created = root.append_child(utf8FromUtf16(name).c_str());
    }
    return setTextOf(pugi::xpath_node(created), text);
}

} // namespace quillmoth
