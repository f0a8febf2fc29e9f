"""The program finds its asset folders from its own path, whatever that path holds."""

import unittest

from test_window import PawletTestCase

# Names outside any one code page, and a path past the old 260-character limit.
UNICODE_FOLDER = 'Pawlet/猫の家 Кошка ŞİŞLİ'
LONG_FOLDER = '/'.join(['Pawlet'] + [f'{i:02d} 长长的文件夹名字 long folder name part' for i in range(8)])
FIRST_BLINK = 'animations\\blink\\cat_blink0000.jpg'


class ProgramFolderTest(PawletTestCase):
    def assert_runs_from(self, folder):
        window = self.start(folder=folder)
        # Wine's trace cuts long names short, so the picture on the screen is the evidence.
        self.wait_for_frame(window, 'blink0')
        self.session.key(window, 'Escape')
        self.assertEqual(self.session.wait_exit(), 0)

    def test_folder_with_names_outside_the_code_page(self):
        self.assert_runs_from(UNICODE_FOLDER)

    def test_folder_path_past_260_characters(self):
        self.assertGreater(len('C:\\' + LONG_FOLDER + '\\' + FIRST_BLINK), 260)
        self.assert_runs_from(LONG_FOLDER)


if __name__ == '__main__':
    unittest.main()
