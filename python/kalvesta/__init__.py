"""kalvesta: text normalisation for speech synthesis."""

from ._errors import PanicException
from ._core import (
    entity_to_spoken,
    extract_entities,
    normalize,
    supported_languages,
    to_cardinal_id,
    to_cardinal_ms,
    to_cardinal_zh,
    to_currency_zh,
    to_year_zh,
)

__all__ = [
    "PanicException",
    "entity_to_spoken",
    "extract_entities",
    "normalize",
    "supported_languages",
    "to_cardinal_id",
    "to_cardinal_ms",
    "to_cardinal_zh",
    "to_currency_zh",
    "to_year_zh",
]
