#!/usr/bin/python3
"""What a screen reader learns of a running program through AT-SPI.

    leitor_de_tela.py arvore <pid>   every object of the program's windows, one per line
    leitor_de_tela.py foco <pid>     the object that holds the keyboard focus

Each object is printed as role|name|description|value|labels|state, in depth-first order: the
role as AT-SPI names it; the name and description the program gives it; its value (the text of a
text or spin field, the item a combo box shows, the number of a value field); the names of the
objects that label it, joined by "+" (on Linux Qt names a combo box by its value and lets its
label say what it chooses, unless the program names it); "checked" for a ticked box or a chosen radio item.
"""
import sys
import time

import pyatspi


def aplicacao(pid):
    fim = time.monotonic() + 20
    while time.monotonic() < fim:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:  # an application that went away while listed
                pass
        time.sleep(0.2)
    sys.exit("no accessible application with pid %d" % pid)


def valor(objeto):
    papel = objeto.getRole()
    if papel == pyatspi.ROLE_COMBO_BOX:
        # An editable one holds a text field; the other kind shows its item as its own text.
        for filho in objeto:
            if filho.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
                return valor(filho)
    try:
        return objeto.queryText().getText(0, -1)
    except NotImplementedError:
        pass
    try:
        return "%g" % objeto.queryValue().currentValue
    except NotImplementedError:
        return ""


def rotulos(objeto):
    nomes = []
    for relacao in objeto.getRelationSet():
        if relacao.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            nomes += [relacao.getTarget(i).name for i in range(relacao.getNTargets())]
    return "+".join(nomes)


def linha(objeto):
    estado = "checked" if objeto.getState().contains(pyatspi.STATE_CHECKED) else ""
    campos = (objeto.getRoleName(), objeto.name, objeto.description, valor(objeto),
              rotulos(objeto), estado)
    return "|".join(c.replace("\n", " ") for c in campos)


def percorrer(objeto):
    """The objects on screen, as a screen reader walks them: hidden ones are left out."""
    if not objeto.getState().contains(pyatspi.STATE_SHOWING):
        return
    yield objeto
    for filho in objeto:
        if filho is not None:
            yield from percorrer(filho)


def main():
    comando, pid = sys.argv[1], int(sys.argv[2])
    app = aplicacao(pid)
    if comando == "arvore":
        for janela in app:
            for objeto in percorrer(janela):
                print(linha(objeto))
    elif comando == "foco":
        for janela in app:
            for objeto in percorrer(janela):
                if objeto.getState().contains(pyatspi.STATE_FOCUSED):
                    print(linha(objeto))
                    return
        sys.exit("nothing holds the focus")
    else:
        sys.exit(__doc__)


main()
