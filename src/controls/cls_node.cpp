#include "cls_node.h"

#include "cls_nodes.h"

#include <QBitmap>

namespace quillmoth {
namespace {

QPixmap masked(const QPixmap &picture, int maskColor)
{
    if (picture.isNull() || maskColor == kNoColor)
        return picture;
    QPixmap result = picture;
    result.setMask(picture.createMaskFromColor(colorFromValue(maskColor), Qt::MaskInColor));
    return result;
}

} // namespace

ClsNode::ClsNode(ClsNodes *owner, QString key, QString caption, QString relative)
    : m_owner(owner), m_key(std::move(key)), m_caption(std::move(caption)),
      m_relative(std::move(relative))
{
}

void ClsNode::changed(bool layout)
{
    if (m_owner)
        m_owner->nodeChanged(layout);
}

void ClsNode::setCaption(const QString &caption)
{
    m_caption = caption;
    changed(false);
}

void ClsNode::setChildren(int count)
{
    m_children = std::max(count, 0);
    changed(false);
}

void ClsNode::setExpanded(bool expanded)
{
    if (m_expanded == expanded)
        return;
    m_expanded = expanded;
    if (m_owner) {
        m_owner->updateVisibility();
        changed(true);
    }
}

void ClsNode::setIcon(const QPixmap &icon)
{
    m_icon = icon;
    changed(false);
}

void ClsNode::setButtonMaskColor(int color)
{
    m_buttonMaskColor = color;
    m_buttonPicture = masked(m_buttonPicture, color);
    m_buttonPicture2 = masked(m_buttonPicture2, color);
    changed(false);
}

void ClsNode::setButtonPictures(const QPixmap &picture, const QPixmap &hoverPicture)
{
    m_buttonPicture = masked(picture, m_buttonMaskColor);
    m_buttonPicture2 = masked(hoverPicture, m_buttonMaskColor);
    changed(false);
}

void ClsNode::setBackColor(int color)
{
    m_backColor = color;
    changed(false);
}

void ClsNode::setForeColor(int color)
{
    m_foreColor = color;
    changed(false);
}

} // namespace quillmoth
