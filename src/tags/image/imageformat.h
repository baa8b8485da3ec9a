#pragma once

#include "tags/shared/attributewords.h"

#include <QString>
#include <QStringList>

#include <optional>

// The image family's tags both ways: the IMG tag and the BODY start tag built from the values
// of their dialogs, and existing IMG and BODY tags read back into the same values. Attribute
// values are written as typed, in double quotes; an empty box leaves its attribute out.

// The captions of the text-position option buttons, in the order of the buttons; the first
// one writes no align attribute.
QStringList imageTextPositions();

struct ImageFields
{
    QString imageName;
    QString alt;
    QString name;
    QString textPosition = imageTextPositions().constFirst(); // the selected option's caption
    QString hspace;
    QString vspace;
    QString border;
    QString height;
    QString width;
};

struct BodyFields
{
    QString imageName;
    QString bgColor;
    QString textColor;
    QString aLink;
    QString link;
    QString vLink;
};

// <IMG src="..." alt="..." ...>; the text position top, middle, bottom, left or right goes
// into align.
QString imageTag(const ImageFields &fields);
// <BODY background="..." bgcolor="..." text="..." alink="..." link="..." vlink="...">
QString bodyStartTag(const BodyFields &fields);

// Existing tags read into the values their dialogs show. An attribute the tag lacks leaves
// its value as the dialog loads it; an align word other than the five (in any ASCII letter
// case) leaves the text position as loaded.
ImageFields readImgTag(const QString &tag);
BodyFields readBodyTag(const QString &tag);

// The attributes each dialog manages; re-editing keeps every other attribute of the tag.
QStringList imageAttributeNames();
QStringList bodyAttributeNames();
// The attributes whose values are words, with their words.
QList<AttributeWords> imageAttributeWords();

// A page colour as the preview shows it: "#" and six or three hexadecimal digits, or an HTML
// colour name in any letter case ("white", "Navy"). Answers the colour as 0xRRGGBB, or nothing
// for any other text.
std::optional<int> parseHtmlColor(const QString &text);
