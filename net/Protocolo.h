#pragma once
// The words of the note transfer protocol and the value encodings both ends use. Messages
// travel as Windows-1252 bytes, one message per send, no terminator.
#include "core/DatosNota.h"
#include "core/VersionPinaco.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace Protocolo {

inline constexpr char kHola[] = "HOLA";
inline constexpr char kHolaAck[] = "HOLA_ACK";
inline constexpr char kVersion[] = "VERSION";
inline constexpr char kVersionId[] = "VERSION_ID:";
inline constexpr const auto& kNuestraVersion = kNombreVersionPinaco;
inline constexpr char kActualizarPuerto[] = "ACTUALIZE_MY_SERVER_PORT:";
inline constexpr char kPuertoActualizado[] = "YOUR_SERVER_PORT_ACTUALIZED";
inline constexpr char kNotaBegin[] = "NOTA_BEGIN";
inline constexpr char kReady[] = "READY";
inline constexpr char kDataReceived[] = "DATA_RECEIVED";
inline constexpr char kNotaEnd[] = "NOTA_END";
inline constexpr char kNotaCreated[] = "NOTA_CREATED";
inline constexpr char kCiao[] = "CIAO";
inline constexpr char kCiaoAck[] = "CIAO_ACK";
inline constexpr char kCiaoNoMas[] = "CIAO_ACK_NOT_ALLOWED_ANYMORE";
inline constexpr char kCiaoNoPor[] = "CIAO_ACK_NOT_ALLOWED_FOR:";
inline constexpr char kNotAllowed[] = "NOT_ALLOWED";
inline constexpr char kUnknown[] = "UNKNOWN";

// The twelve note fields, in the order the receiver tests their keywords and the sender
// sends them.
enum class Campo : quint8 {
    DayExpires,
    MonthExpires,
    YearExpires,
    FontStyle,
    FontName,
    FontSize,
    FontColor,
    Width,
    Height,
    Top,
    Left,
    Text,
};
inline constexpr int kNumCampos = 12;
const char* ClaveDe(Campo campo); // "DAY_EXPIRES:", ...

// "VERSION_ID:Pinaco v1.4o".
QByteArray MensajeVersionId();
QByteArray MensajeActualizarPuerto(qint32 puerto);
QByteArray MensajeCiaoNoPermitidoPor(qint32 minutos);

// "FONT_STYLE:" flags, bold first: "1010" for bold and underline.
QByteArray BanderasEstilo(quint8 estilo);
quint8 EstiloDeBanderas(QByteArrayView banderas);

// One field message of a note. Nothing when the note holds a character Windows-1252
// cannot carry.
std::optional<QByteArray> MensajeCampo(Campo campo, const DatosNota& nota);
// The twelve, in sending order.
std::optional<QList<QByteArray>> MensajesCampos(const DatosNota& nota);

// The pending note a receiver starts from at "NOTA_BEGIN".
DatosNota NotaEntranteInicial();

enum class LecturaCampo {
    NoEsCampo, // the message starts with no field keyword
    Guardado,
    NoNumerico, // a number field whose value is no decimal integer; nothing stored
};
// Stores one received field message into the pending note. Text fields lose every
// Ctrl-Z and the font name its line breaks, so the notes file can always hold them.
LecturaCampo GuardarCampo(QByteArrayView mensaje, DatosNota& pendiente);

} // namespace Protocolo
