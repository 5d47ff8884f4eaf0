// core/system_reason.cpp — French texts for the errno values that reading and writing files give.
#include "core/system_reason.h"

#include <cerrno>

#include <glib.h>

std::string system_reason(int error)
{
    // The program keeps the "C" locale, where the system's own texts are English: the common ones are
    // named here so that a French message gives a French reason.
    switch (error) {
    case ENOSPC:
        return "disque plein";
    case EDQUOT:
        return "quota de disque dépassé";
    case EACCES:
    case EPERM:
        return "permission refusée";
    case EROFS:
        return "système de fichiers en lecture seule";
    case ENOENT:
        return "fichier ou dossier introuvable";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case EISDIR:
        return "c'est un dossier";
    case ELOOP:
        return "trop de liens symboliques";
    case ENAMETOOLONG:
        return "nom trop long";
    case EFBIG:
        return "fichier trop grand";
    case EIO:
        return "erreur d'entrée-sortie";
    case ENOMEM:
        return "mémoire insuffisante";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case EBUSY:
    case ETXTBSY:
        return "fichier occupé";
    case EEXIST:
        return "le fichier existe déjà";
    case EXDEV:
        return "lien entre deux systèmes de fichiers";
    case EPIPE:
        return "tube fermé";
    default:
        return g_strerror(error);
    }
}
