"""Exceptions raised by the extension module."""


class PanicException(BaseException):
    """An internal failure of the normaliser (a broken invariant or a pattern
    that exceeded its matching limits). The module stays usable afterwards."""
