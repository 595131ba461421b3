#include "host/report/Controls.h"

#include <zint.h>


#include <algorithm>
#include <memory>

namespace host::report {

namespace {

int symbology(BarcodeKind kind)
{
    switch (kind) {
    case BarcodeKind::Code128: return BARCODE_CODE128;
    case BarcodeKind::Code39: return BARCODE_CODE39;
    case BarcodeKind::Interleaved2of5: return BARCODE_C25INTER;
    case BarcodeKind::Ean13: return BARCODE_EANX;
    case BarcodeKind::QrCode: return BARCODE_QRCODE;
    }
    return BARCODE_CODE128;
}

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

}  // namespace

QString barcodeKindName(BarcodeKind kind)
{
    switch (kind) {
    case BarcodeKind::Code128: return QStringLiteral("Code128");
    case BarcodeKind::Code39: return QStringLiteral("Code39");
    case BarcodeKind::Interleaved2of5: return QStringLiteral("Interleaved2of5");
    case BarcodeKind::Ean13: return QStringLiteral("EAN13");
    case BarcodeKind::QrCode: return QStringLiteral("QRCode");
    }
    return {};
}

void encodeBarcode(BarcodeKind kind, const QString& data, bool showText, const QSizeF& size,
                   PlacedItem& item)
{
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        throw ReportError(QStringLiteral("Código de barras: memória insuficiente."));
    symbol->symbology = symbology(kind);
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = showText ? 1 : 0;
    const QByteArray bytes = data.toUtf8();
    int result = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(bytes.constData()),
                                 int(bytes.size()));
    if (result < ZINT_ERROR)
        result = ZBarcode_Buffer_Vector(symbol.get(), 0);
    if (result >= ZINT_ERROR)
        throw ReportError(QStringLiteral("Código de barras \"%1\" inválido: %2")
                              .arg(data, QString::fromLatin1(symbol->errtxt)));
    const zint_vector* vector = symbol->vector;
    double sx = size.width() / std::max(1.0f, vector->width);
    double sy = size.height() / std::max(1.0f, vector->height);
    if (kind == BarcodeKind::QrCode)
        sx = sy = std::min(sx, sy);   // square modules
    item.barcodeKind = barcodeKindName(kind);
    item.bars.clear();
    item.barTexts.clear();
    for (const zint_vector_rect* r = vector->rectangles; r; r = r->next)
        if (r->colour == -1 || r->colour == 7)
            item.bars.emplace_back(r->x * sx, r->y * sy, r->width * sx, r->height * sy);
    for (const zint_vector_string* s = vector->strings; s; s = s->next) {
        const double textWidth = std::max<double>(s->width, s->fsize * s->length * 0.6) * sx;
        const double textHeight = s->fsize * sy;
        item.barTexts.emplace_back(QRectF(s->x * sx - textWidth / 2, s->y * sy - textHeight, textWidth, textHeight),
                                   QString::fromUtf8(reinterpret_cast<const char*>(s->text), s->length));
    }
}

}  // namespace host::report
