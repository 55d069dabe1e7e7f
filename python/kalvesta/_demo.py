"""Prints a few normalised sentences per language (make demo)."""

from . import normalize, supported_languages

SENTENCES = {
    "ms": [
        "Harga baju itu RM25.50 sahaja, diskaun 30% sehingga 15/08/2024.",
        "Mesyuarat bermula pada 9:30 pagi di Jalan Ampang 12/3.",
        "Hubungi 012-345 6789 atau emel ali@contoh.com.my sekarang!!!",
    ],
    "id": [
        "Harganya Rp1.500.000 atau Rp2,5 jt untuk paket premium.",
        "Kereta berangkat pukul 14:45 dari peron 3, suhu 32°C.",
        "Versi 2.1.3 dirilis tanggal 17/08/2024 di www.contoh.co.id.",
    ],
    "en": [
        "The meeting is at 10:30 a.m. on 5/6/2024 and costs $1.5K.",
        "He'd've paid 25% more for the 3rd edition in 1999.",
        "Dr. Smith ran 10 km in 45 minutes; call +60 12-345 6789.",
    ],
    "zh": [
        "今天是2024年5月6日，价格是RM1.5万。",
        "下午3:30开会，完成率达到85%。",
        "请访问www.example.com或拨打012-3456789。",
    ],
    "zh_my": [
        "这件衣服卖RM25.50，打七折是30%。",
        "温度是32°C，明天是15/08/2024。",
        "他跑了10 km，用了45分钟。",
    ],
}


def main() -> None:
    for lang in supported_languages():
        print(f"[{lang}]")
        for sentence in SENTENCES[lang]:
            print(f"  {sentence}")
            print(f"  -> {normalize(sentence, lang)}")
        print()


if __name__ == "__main__":
    main()
