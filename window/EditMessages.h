#pragma once

// The diagram window's own messages, shown in error boxes captioned "Fehler".
inline const char* const OnlyStatementsMessage =
    "Nur Anweisungen können genauer spezifiziert werden";
inline const char* const TooDeepToEditMessage =
    "Das geht nicht: Die Struktur wäre dann tiefer als 1000 Ebenen verschachtelt und könnte "
    "nicht mehr gespeichert werden";

// Shown in the status line when a command that needs a selection finds none.
inline const char* const NothingSelectedMessage =
    "Zum Einfügen zuerst ein Element oder einen Block anklicken.";
