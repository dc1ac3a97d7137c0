#pragma once

// Reading back what the export wrote, with libxml2 (a library we did not write):
// validation against the official schema, offline, and values by XPath.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <string>

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <libxml/xpath.h>

#include <gtest/gtest.h>

namespace einvoice_test {

// The errors of `bytes` against the schema at `schemaPath`, empty when the file is
// valid. A schema that cannot be loaded is a failure of the test, never a skip.
inline QStringList schemaErrorsAgainst(const char* schemaPath, const QByteArray& bytes) {
    // Each schema parsed once per test program and freed when it ends.
    struct Schemas : std::map<std::string, xmlSchemaPtr> {
        ~Schemas() {
            for (auto& entry : *this)
                xmlSchemaFree(entry.second);
        }
    };
    static Schemas schemas;
    xmlSchemaPtr& schema = schemas[schemaPath];
    if (!schema) {
        xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(schemaPath);
        schema = parser ? xmlSchemaParse(parser) : nullptr;
        xmlSchemaFreeParserCtxt(parser);
    }
    if (!schema)
        return {QStringLiteral("the schema %1 does not load").arg(QString::fromUtf8(schemaPath))};
    QStringList errors;
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "fattura.xml", nullptr,
                                  XML_PARSE_NONET);
    if (!doc)
        return {QStringLiteral("not well-formed XML")};
    xmlSchemaValidCtxtPtr validation = xmlSchemaNewValidCtxt(schema);
    xmlSchemaSetValidStructuredErrors(
        validation,
        [](void* out, xmlErrorPtr error) {
            static_cast<QStringList*>(out)->append(QString::fromUtf8(error->message).trimmed());
        },
        &errors);
    if (xmlSchemaValidateDoc(validation, doc) != 0 && errors.isEmpty())
        errors << QStringLiteral("invalid");
    xmlSchemaFreeValidCtxt(validation);
    xmlFreeDoc(doc);
    return errors;
}

// The FatturaPA schema errors of `bytes`.
inline QStringList schemaErrors(const QByteArray& bytes) {
    return schemaErrorsAgainst(BRISVEL_FATTURAPA_SCHEMA, bytes);
}

// A written file, queried by XPath (the elements are unqualified; the root is
// matched by its local name).
class FatturaXml {
  public:
    explicit FatturaXml(const QByteArray& bytes)
        : doc_(xmlReadMemory(bytes.constData(), int(bytes.size()), "fattura.xml", nullptr,
                             XML_PARSE_NONET)) {
        EXPECT_NE(doc_, nullptr);
    }
    ~FatturaXml() { xmlFreeDoc(doc_); }
    FatturaXml(const FatturaXml&) = delete;
    FatturaXml& operator=(const FatturaXml&) = delete;

    // The texts of every node `path` selects, below the root ("//DatiRiepilogo/Imposta").
    QStringList all(const QString& path) const {
        QStringList out;
        if (!doc_)
            return out;
        xmlXPathContextPtr context = xmlXPathNewContext(doc_);
        const QByteArray expression = path.toUtf8();
        xmlXPathObjectPtr found = xmlXPathEvalExpression(
            reinterpret_cast<const xmlChar*>(expression.constData()), context);
        if (found && found->nodesetval) {
            for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
                xmlChar* text = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
                out << QString::fromUtf8(reinterpret_cast<const char*>(text));
                xmlFree(text);
            }
        }
        xmlXPathFreeObject(found);
        xmlXPathFreeContext(context);
        return out;
    }
    // The one text `path` selects; empty when it selects none, a failure when several.
    QString one(const QString& path) const {
        const QStringList texts = all(path);
        EXPECT_LE(texts.size(), 1) << path.toStdString();
        return texts.value(0);
    }
    int count(const QString& path) const { return int(all(path).size()); }

  private:
    xmlDocPtr doc_;
};

}  // namespace einvoice_test
