"""msoffcrypto-tool, a decrypter we did not write, opens our encrypted files with
the password, and only with it."""

import io

import msoffcrypto
from msoffcrypto.exceptions import InvalidKeyError

import interop_common as common


class MsoffcryptoDecryptsOurFiles(common.WorkFolder):
    def decrypt(self, path, password):
        with open(path, "rb") as f:
            office = msoffcrypto.OfficeFile(f)
            self.assertTrue(office.is_encrypted())
            office.load_key(password=password)
            out = io.BytesIO()
            office.decrypt(out)
        decrypted = self.path("decrypted.xls")
        with open(decrypted, "wb") as f:
            f.write(out.getvalue())
        return decrypted

    def assert_refuses(self, path, password):
        with open(path, "rb") as f:
            office = msoffcrypto.OfficeFile(f)
            with self.assertRaises(InvalidKeyError):
                office.load_key(password=password)
                office.decrypt(io.BytesIO())

    def encrypted_files(self):
        store = self.path("Gestione.xls")
        common.tool("new-store", store)
        copy = self.path("copy.xls")
        common.tool("copy", common.fixture("calc-store-small-plain.xls"), copy,
                    "--out-password", common.STORE_PASSWORD)
        _, sample, _ = common.make_sample(self.folder)
        return [store, copy, sample]

    def test_right_password_gives_the_same_workbook(self):
        for path in self.encrypted_files():
            with self.subTest(file=path):
                expected = common.dump(path, common.STORE_PASSWORD)
                decrypted = self.decrypt(path, common.STORE_PASSWORD)
                self.assertEqual(common.dump(decrypted), expected)

    def test_wrong_password_is_refused(self):
        for path in self.encrypted_files():
            for wrong in ["pesk1987", "Pesk198", "", "VelvetSweatshop"]:
                with self.subTest(file=path, password=wrong):
                    self.assert_refuses(path, wrong)

    def test_every_copy_gets_its_own_salt(self):
        first, second = self.path("a.xls"), self.path("b.xls")
        for out in (first, second):
            common.tool("copy", common.fixture("excel-plain.xls"), out,
                        "--out-password", common.STORE_PASSWORD)
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertNotEqual(a.read(), b.read())


if __name__ == "__main__":
    common.main()
