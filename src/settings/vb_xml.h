#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quillmoth {

// The outcome of a member that hands its failure to the caller: a value, or a
// description of what went wrong.
template <typename T>
class XmlResult {
public:
    XmlResult(T value) : m_value(std::move(value)) {}
    static XmlResult failure(std::u16string description)
    {
        XmlResult result;
        result.m_error = std::move(description);
        return result;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    const std::u16string &error() const { return m_error; }

private:
    XmlResult() = default;
    std::optional<T> m_value;
    std::u16string m_error;
};

// The outcome of a member whose only result is success or failure.
using XmlStatus = XmlResult<std::monostate>;

// A value handed to the writing members, converted to text the way the
// settings file has always stored values: numbers in decimal, Booleans as
// "True" or "False". A default-constructed value is a missing one.
class XmlValue {
public:
    XmlValue() = default;
    XmlValue(std::u16string_view text) : m_text(text) {}
    XmlValue(const char16_t *text) : m_text(text) {}
    XmlValue(const std::u16string &text) : m_text(text) {}
    XmlValue(bool value) : m_text(value ? u"True" : u"False") {}
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, char16_t> &&
                 !std::same_as<T, char32_t> && !std::same_as<T, wchar_t>)
    XmlValue(T value) : m_text(integerText(std::int64_t(value)))
    {
    }
    XmlValue(double value);

    // The text the value stands for; a missing value is the empty text.
    const std::u16string &text() const { return m_text; }

private:
    static std::u16string integerText(std::int64_t value);
    std::u16string m_text;
};

// One of the six optional attribute pairs of MakeNode; an empty name is skipped.
struct XmlAttributePair {
    std::u16string name;
    XmlValue value;
};

// One XML document whose elements are addressed by XPath 1.0 expressions,
// evaluated with the root element as the context node: "PadSize" is the
// root's child of that name, "/SETTINGS/PadSize" works as well.
//
// Members report failures in three ways, each kept as the callers expect it:
// some give the empty or zero result silently (a line goes to the trace
// handler), ReadAttribute also hands a message to the message handler, and
// the rest return an XmlResult for the caller to deal with.
//
// Whitespace, comments and processing instructions are kept as loaded, so a
// document saved after one change differs from its file only in that change.
class vbXML {
public:
    using TextHandler = std::function<void(std::u16string_view text)>;

    vbXML();
    ~vbXML();
    vbXML(const vbXML &) = delete;
    vbXML &operator=(const vbXML &) = delete;

    // Where diagnostic lines go (nowhere by default); never shown to the user.
    void setTraceHandler(TextHandler handler);
    // Where the messages a user must see go (nowhere by default).
    void setMessageHandler(TextHandler handler);
    // Called by GetChildValue before it reads, to let pending window events run.
    void setPendingEventsHandler(std::function<void()> handler);

    // 0: attribute "version", 1: "encoding", 2: "standalone" of the document's
    // first child (the XML declaration). Other numbers give "".
    XmlResult<std::u16string> XMLDocumentInfo(int which) const;

    // Mode 0 loads the file named by `source`, mode 1 parses `source` itself.
    // On failure the document is empty; any other mode changes nothing and
    // gives false.
    bool OpenXML(std::u16string_view source, std::int16_t mode);

    // Loads a file; the same as OpenXML mode 0 for a path.
    bool loadFile(const std::filesystem::path &path);

    // Does nothing; the document stays loaded.
    void CloseXML();

    // The text content of the node, "" when the XPath selects nothing.
    std::u16string ReadNodeText(std::u16string_view xpath) const;

    // The node's name, "" when the XPath selects nothing.
    std::u16string ReadNodeName(std::u16string_view xpath) const;

    // The node's markup, itself included.
    XmlResult<std::u16string> ReadNodeXML(std::u16string_view xpath) const;

    // The markup of the whole document.
    std::u16string xml() const;

    // Replaces the node's text; a missing value empties it. Never creates nodes.
    XmlStatus WriteNode(std::u16string_view xpath, const XmlValue &value = {});

    // The value of attribute `name`; on failure the message handler gets
    // "ReadAttribute Err: " and a description, and the result is "".
    std::u16string ReadAttribute(std::u16string_view xpath, std::u16string_view name) const;

    // Sets attribute `name` of the node; failures are silent.
    void WriteAttribute(std::u16string_view xpath, std::u16string_view name, const XmlValue &value);

    // Sets attribute `name` of the node's child number `index` (from 0, over
    // all child nodes, text included); failures are silent.
    void WriteChildAttribute(std::u16string_view xpath, std::u16string_view name,
                             const XmlValue &value, std::int16_t index);

    // The number of child nodes of the node; 0 on failure.
    std::int32_t NodeCount(std::u16string_view xpath) const;

    // Writes the whole document to a file, atomically.
    XmlStatus Save(std::u16string_view fileName) const;

    // Writes the whole document to a path, atomically.
    XmlStatus saveFile(const std::filesystem::path &path) const;

    // Removes the node from its parent.
    XmlStatus DeleteNode(std::u16string_view xpath);

    // Appends an empty element `name` as the parent's last child; failures are silent.
    void MakeSECTION(std::u16string_view parentXPath, std::u16string_view name);

    // Appends element `name` with `text` and up to six attributes, with the
    // indentation text nodes the settings file uses; failures are silent and
    // change nothing.
    void MakeNode(std::u16string_view parentXPath, std::u16string_view name,
                  const XmlValue &text = {}, bool indent = false,
                  const std::array<XmlAttributePair, 6> &attributes = {});

    // Removes attribute `name` from the node; a missing attribute is no error.
    XmlStatus DeleteAttribute(std::u16string_view xpath, std::u16string_view name);

    // The node text "(r, g, b)" as the colour r + 256 g + 65536 b. Components
    // above 255 count as 255; a negative one is an error.
    XmlResult<std::int32_t> GetColorValue(std::u16string_view xpath) const;

    // Writes "(r, g, b)" into the node.
    XmlStatus SetColorValue(std::u16string_view xpath, std::int16_t red, std::int16_t green,
                            std::int16_t blue);

    // The text of the node's child number `index`; "" on failure.
    std::u16string GetChildValue(std::u16string_view xpath, std::int16_t index) const;

    // Attribute `name` of the node's child number `index`; "" on failure.
    std::u16string GetChildAttribute(std::u16string_view xpath, std::int16_t index,
                                     std::u16string_view name) const;

    // The name of the node's child number `index`.
    XmlResult<std::u16string> GetChildName(std::u16string_view xpath, std::int16_t index) const;

    // Sets the text of xpath/Item[@ID="id"]; failures are silent.
    void WriteChildNodeByID(std::u16string_view xpath, std::u16string_view id,
                            std::u16string_view value);

    // Appends element `name` holding `text` as the root's last element,
    // indented like the root's first element, before the whitespace that
    // closes the root. Fails when `name` is not an XML name.
    XmlStatus appendRootElement(std::u16string_view name, std::u16string_view text);

private:
    struct Private;
    void trace(std::u16string_view text) const;
    // Replaces the document with the parsed bytes (encoding: a pugixml
    // encoding); empties it on failure.
    bool parse(std::string bytes, int encoding);
    std::unique_ptr<Private> m_d;
};

} // namespace quillmoth
